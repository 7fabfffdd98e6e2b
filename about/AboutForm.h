#pragma once

#include "app/FixedDialog.h"

#include <memory>

namespace Ui {
class TAboutForm;
}
class Shell;

// The About box: the product, its version, the home page and the free tools it stands on.
class TAboutForm : public FixedDialog
{
    Q_OBJECT
public:
    TAboutForm(QWidget* main, const QString& versionText, Shell* shell);
    ~TAboutForm() override;

    Ui::TAboutForm* Form() const { return m_ui.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutForm> m_ui;
    Shell* m_shell;
};
