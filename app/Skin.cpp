#include "Skin.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace Skin {

QString StyleSheet()
{
    return QStringLiteral(R"(
QDialog, QMessageBox { background: #eef2f7; }
QLineEdit {
    background: #ffffff; border: 1px solid #9fb3cc; border-radius: 3px;
    padding: 1px 4px; selection-background-color: #3a7bd5;
}
QLineEdit:focus { border: 1px solid #3a7bd5; }
QLineEdit:disabled { background: #e4e9f0; color: #7d8899; }
QComboBox {
    background: #ffffff; border: 1px solid #9fb3cc; border-radius: 3px; padding: 1px 6px;
}
QComboBox:focus { border: 1px solid #3a7bd5; }
QComboBox::drop-down { border: none; width: 18px; }
QComboBox QAbstractItemView {
    background: #ffffff; border: 1px solid #9fb3cc; selection-background-color: #3a7bd5;
}
QPushButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfefe, stop:1 #dbe4ef);
    border: 1px solid #8ea5c2; border-radius: 4px; padding: 3px 10px; min-height: 16px;
    color: #1b2a3d;
}
QPushButton:hover { border-color: #3a7bd5; }
QPushButton:pressed { background: #cbd8e8; }
QPushButton:default { border: 1px solid #3a7bd5; }
QPushButton:disabled { color: #8a94a3; border-color: #b8c4d3; }
QProgressBar {
    background: #ffffff; border: 1px solid #9fb3cc; border-radius: 4px; text-align: center;
}
QProgressBar::chunk {
    border-radius: 3px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6fb1ff, stop:1 #2f6fc2);
}
QScrollBar:vertical { background: #e4e9f0; width: 12px; margin: 0; }
QScrollBar::handle:vertical { background: #a9bad0; border-radius: 5px; min-height: 24px; margin: 1px; }
QScrollBar:horizontal { background: #e4e9f0; height: 12px; margin: 0; }
QScrollBar::handle:horizontal { background: #a9bad0; border-radius: 5px; min-width: 24px; margin: 1px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QToolTip { background: #fffbe6; color: #1b2a3d; border: 1px solid #c9b458; }
)");
}

void Apply(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p = app.palette();
    p.setColor(QPalette::Window, QColor(0xee, 0xf2, 0xf7));
    p.setColor(QPalette::WindowText, QColor(0x1b, 0x2a, 0x3d));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, QColor(0x1b, 0x2a, 0x3d));
    p.setColor(QPalette::Button, QColor(0xe6, 0xec, 0xf4));
    p.setColor(QPalette::ButtonText, QColor(0x1b, 0x2a, 0x3d));
    p.setColor(QPalette::Highlight, QColor(0x3a, 0x7b, 0xd5));
    p.setColor(QPalette::HighlightedText, Qt::white);
    app.setPalette(p);
    app.setStyleSheet(StyleSheet());
}

} // namespace Skin
