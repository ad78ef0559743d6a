#include "wrapped_label.h"

#include <QPainter>
#include <QTextLayout>

namespace orvanel::platform {

namespace {

// Lays the text out in lines of the given width; returns the height used.
qreal layOut(QTextLayout &layout, int width)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition({ 0, y });
        y += line.height();
    }
    layout.endLayout();
    return y;
}

} // namespace

QSizeF WrappedLabel::wrappedTextSize(const QFont &font, const QString &text, int width)
{
    QTextLayout layout(text, font);
    const qreal height = layOut(layout, width);
    qreal widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = std::max(widest, layout.lineAt(i).naturalTextWidth());
    return { widest, height };
}

void WrappedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    QTextLayout layout(text(), font());
    layOut(layout, width());
    layout.draw(&painter, { 0, 0 });
}

} // namespace orvanel::platform
