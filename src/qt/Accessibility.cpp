#include "qt/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

// A widget as Qt's accessibility shows it (a label as static text), with the value its
// HasAccessibleValue gives.
class ValuedWidget : public QAccessibleWidget {
public:
    ValuedWidget(QWidget* widget, const HasAccessibleValue& value)
        : QAccessibleWidget(widget, qobject_cast<QLabel*>(widget) != nullptr ? QAccessible::StaticText
                                                                             : QAccessible::Client),
          value_(value)
    {
    }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Value ? value_.AccessibleValue() : QAccessibleWidget::text(which);
    }

private:
    const HasAccessibleValue& value_;
};

QAccessibleInterface* ValuedWidgets(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const auto* value = dynamic_cast<const HasAccessibleValue*>(object);
    return widget != nullptr && value != nullptr ? new ValuedWidget(widget, *value) : nullptr;
}

}  // namespace

void InstallAccessibleValues()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValuedWidgets);
        return true;
    }();
    (void)installed;
}
