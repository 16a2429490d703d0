#pragma once

// Builders of page pictures for the report engine tests.

#include "reportengine/vr_page_picture.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <memory>

namespace reportengine_test {

// A page of the given paper size (tenths of a millimetre) with each text on a line of
// its own, a frame, a line and a filled ellipse, drawn as report pages are drawn.
inline std::unique_ptr<QPicture> MakePage(const QStringList &texts, int widthTenthsMm = 2100, int lengthTenthsMm = 2970,
                                          bool withImage = false)
{
    auto page = reportengine::NewPagePicture();
    page->setBoundingRect(reportengine::PageBoundingRect(widthTenthsMm, lengthTenthsMm));
    QPainter p(page.get());
    p.setFont(reportengine::PageFont(QStringLiteral("Arial"), 10));
    int y = 40;
    for (const QString &t : texts) {
        p.drawText(40, y, t);
        y += 20;
    }
    p.drawRect(30, 20, 700, y);
    p.drawLine(30, y + 10, 730, y + 10);
    p.setBrush(Qt::gray);
    p.drawEllipse(QRect(600, y + 20, 80, 40));
    if (withImage) {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::red);
        p.drawImage(QPoint(40, y + 20), img);
    }
    p.end();
    return page;
}

// A program on the search path (poppler's pdftotext, pdfinfo...); empty when missing.
inline QString Tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// What the program writes to its standard output.
inline QString RunTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QByteArray PictureBytes(const QPicture &p)
{
    return QByteArray(p.data(), p.size());
}

// Pages of a PDF file by pdfinfo; -1 without pdfinfo or for a file it cannot read.
inline int PdfPageCount(const QString &pdf)
{
    const QString info = Tool("pdfinfo");
    if (info.isEmpty())
        return -1;
    const QString out = RunTool(info, {pdf});
    for (const QString &line : out.split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

inline QString PdfText(const QString &pdf)
{
    return RunTool(Tool("pdftotext"), {pdf, QStringLiteral("-")});
}

} // namespace reportengine_test
