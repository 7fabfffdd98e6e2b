#include "TestSupport.h"

#include <QApplication>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return TestRegistry::RunAll(argc, argv);
}
