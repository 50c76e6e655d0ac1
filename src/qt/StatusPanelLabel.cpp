#include "qt/StatusPanelLabel.h"

#include <QPainter>
#include <QStyle>

namespace {

// The space on either side of the text, as a label with a frame leaves it.
int Indent(const QFontMetrics& metrics)
{
    return metrics.horizontalAdvance(QLatin1Char('x')) / 2;
}

}  // namespace

StatusPanelLabel::StatusPanelLabel(const PanelItem& item, QWidget* parent) : QLabel(parent), item_(item)
{
    setObjectName(QString::fromLatin1(item.key));
    setAccessibleName(QString::fromUtf8(item.name));
    setAccessibleDescription(QString::fromUtf8(item.description));
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    UpdateToolTip();
}

void StatusPanelLabel::ShowText(const QString& text)
{
    setText(text);
    UpdateToolTip();
    // Screen readers read a label by its name, and hear of its change.
    setAccessibleName(QString::fromStdString(PanelSpokenName(item_, text.toStdString())));
    emit TextShown();
}

int StatusPanelLabel::WidthFor(const QString& text) const
{
    return fontMetrics().horizontalAdvance(text) + 2 * (Indent(fontMetrics()) + frameWidth()) + 1;
}

QRect StatusPanelLabel::TextRect() const
{
    const int indent = Indent(fontMetrics());
    return contentsRect().adjusted(indent, 0, -indent, 0);
}

bool StatusPanelLabel::IsCut() const
{
    return fontMetrics().horizontalAdvance(text()) > TextRect().width();
}

void StatusPanelLabel::UpdateToolTip()
{
    setToolTip(QString::fromStdString(PanelToolTip(item_, text().toStdString(), IsCut())));
}

void StatusPanelLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void StatusPanelLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect rect = TextRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, rect.width());
    style()->drawItemText(&painter, rect, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                          foregroundRole());
}
