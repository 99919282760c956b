// A control of a window as a user finds it: by its name.
#pragma once

#include <QLatin1String>
#include <QWidget>

#include <gtest/gtest.h>

template <class T> T *Child(const QWidget *Window, const char *Name)
{
    T *Control = Window ? Window->findChild<T *>(QLatin1String(Name)) : nullptr;
    EXPECT_NE(Control, nullptr) << Name;
    return Control;
}
