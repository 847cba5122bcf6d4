#pragma once

// The program's title: set at start-up, replaced by the communication dialog's
// title, and the caption of the message boxes that carry no caption of their own.
// It is the program's own value, never the toolkit's application display name,
// which the platform would append to every window caption.

#include <QString>

#include <utility>

class ApplicationTitle {
public:
    explicit ApplicationTitle(QString text = QString()) : text_(std::move(text)) {}
    QString text() const { return text_; }
    void setText(const QString &text) { text_ = text; }

private:
    QString text_;
};
