#pragma once

#include <QLabel>

namespace orvanel::platform {

// A label that breaks its text into lines at word boundaries only: a word
// wider than the label runs past its right edge and is cut there, and lines
// below its bottom edge are not shown.
class WrappedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The size the text takes when broken into lines within the given width.
    static QSizeF wrappedTextSize(const QFont &font, const QString &text, int width);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace orvanel::platform
