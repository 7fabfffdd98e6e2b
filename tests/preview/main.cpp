#include "TestSupport.h"

#include <QCoreApplication>
#include <clocale>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return TestRegistry::RunAll(argc, argv);
}
