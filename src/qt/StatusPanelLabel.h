#pragma once

#include "qt/Accessibility.h"
#include "window/StatusPanels.h"

#include <QLabel>

// A panel of the status bar. A text too long for the panel is cut with an ellipsis, and
// its tooltip is then the whole text; otherwise the tooltip is the panel's design-time
// string, if it has one. The panel never widens for its text by itself: the window gives
// it its width, sharing the bar among the panels by what they hold. A screen reader hears
// its name with its text (PanelSpokenName), its description, and its text as its value.
class StatusPanelLabel : public QLabel, public HasAccessibleValue {
    Q_OBJECT

public:
    explicit StatusPanelLabel(const PanelItem& item, QWidget* parent = nullptr);

    // Shows `text`, and the tooltip that goes with it.
    void ShowText(const QString& text);

    // The width a panel needs to show `text` whole.
    int WidthFor(const QString& text) const;

    // Whether the text is cut short.
    bool IsCut() const;

    QString AccessibleValue() const override { return text(); }

signals:
    // A new text is shown: the panels share the bar anew.
    void TextShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;
    void UpdateToolTip();

    const PanelItem& item_;
};
