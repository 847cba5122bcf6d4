#pragma once

// What a print-out needs of a printer: the page size in printer pixels, a font size,
// the size of a text, drawing a text at a position, a new page. The layout of a
// print-out is written against this; PrinterCanvas paints it on a QPrinter and tests
// record it.

#include <QFont>
#include <QPageLayout>
#include <QSize>
#include <QString>

#include <memory>

class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    virtual QSize pageSize() const = 0;
    virtual void setFontSize(int points) = 0;
    // Width and height of `text` in the current font, in printer pixels.
    virtual QSize textExtent(const QString &text) const = 0;
    // (x, y) is the top-left corner of the text.
    virtual void drawText(int x, int y, const QString &text) = 0;
    virtual void newPage() = 0;
};

class QPainter;
class QPrinter;

// One document on a printer, in portrait: begins when constructed, ends with
// finish() (or the destructor), which also gives the printer its former orientation
// back.
class PrinterCanvas : public PageCanvas {
public:
    explicit PrinterCanvas(QPrinter &printer, const QString &fontFamily = QStringLiteral("新細明體"));
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas &) = delete;
    PrinterCanvas &operator=(const PrinterCanvas &) = delete;

    // False when the printer would not begin the document (no printer, a file that
    // cannot be written); nothing is drawn then.
    bool isActive() const;
    // Ends the document. False when it could not be completed.
    bool finish();

    QSize pageSize() const override;
    void setFontSize(int points) override;
    QSize textExtent(const QString &text) const override;
    void drawText(int x, int y, const QString &text) override;
    void newPage() override;

private:
    QPrinter &printer_;
    QPageLayout::Orientation savedOrientation_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    bool finished_ = false;
};
