#pragma once

// Several Qt Test classes in one program: the first argument names the class to
// run, the rest go to Qt Test.

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

using WidgetTestFactory = std::function<std::unique_ptr<QObject>()>;

std::map<std::string, WidgetTestFactory> &widgetTests();

#define ORVANEL_WIDGET_TEST(Class)                                                                 \
    static const bool registered##Class = [] {                                                     \
        widgetTests().emplace(#Class, [] { return std::make_unique<Class>(); });                   \
        return true;                                                                               \
    }();
