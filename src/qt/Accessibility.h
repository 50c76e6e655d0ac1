#pragma once

#include <QString>

// What screen readers hear of the window's own controls beyond their names and
// descriptions: a value, as QAccessible::Value, read afresh whenever it is asked for. A
// control that has one implements HasAccessibleValue; InstallAccessibleValues makes Qt's
// accessibility ask it.

class HasAccessibleValue {
public:
    virtual ~HasAccessibleValue() = default;
    virtual QString AccessibleValue() const = 0;
};

// Installs, once, the accessibility factory that gives every widget that implements
// HasAccessibleValue its value.
void InstallAccessibleValues();
