#include "tests/widgets/widget_test_main.h"

#include "platform/qt/qt_runtime.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

std::map<std::string, WidgetTestFactory> &widgetTests()
{
    static std::map<std::string, WidgetTestFactory> tests;
    return tests;
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    orvanel::platform::prepareApplication(application);
    const auto found = argc > 1 ? widgetTests().find(argv[1]) : widgetTests().end();
    if (found == widgetTests().end()) {
        std::fprintf(stderr, "usage: widget_tests CLASS [Qt Test options]; classes:\n");
        for (const auto &[name, factory] : widgetTests())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    const std::unique_ptr<QObject> test = found->second();
    argv[1] = argv[0];
    return QTest::qExec(test.get(), argc - 1, argv + 1);
}
