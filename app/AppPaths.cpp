#include "AppPaths.h"

#include "TimeCodes.h"
#include "about/ProgramInfo.h"

#include <QCoreApplication>

AppPaths::AppPaths(const QString& folder) : m_appDir(WithTrailingBackslash(folder))
{}

AppPaths AppPaths::FromApplication()
{
    return AppPaths(QCoreApplication::applicationDirPath());
}

QString AppPaths::HelpPath() const
{
    return m_appDir + QString::fromLatin1(ProgramInfo::HelpFileName);
}
