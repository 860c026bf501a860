#include "ui/base/image_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "ui/base/file_saving.h"

namespace orvalt {

namespace {

constexpr double kScreenDpi = 96.0; // the pixels of `size` on a PDF page
constexpr double kPointsPerInch = 72.0;
constexpr int kPdfResolution = 300;

const QString kUnknownType =
    QStringLiteral("画像は .png (画像) か .pdf (PDF 文書) の名前で保存してください。");
const QString kEmptySize = QStringLiteral("保存する画像の大きさが 0 です。");
const QString kNotDrawn = QStringLiteral("画像を描けませんでした。");

std::optional<QByteArray> PngBytes(QSize size, const DrawingFunction& draw) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return std::nullopt;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        draw(painter, QRectF(QPointF(0.0, 0.0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return bytes;
}

std::optional<QByteArray> PdfBytes(QSize size, const DrawingFunction& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    {
        QPdfWriter writer(&buffer);
        const QSizeF points = QSizeF(size) * (kPointsPerInch / kScreenDpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("最大使用張力計算"));
        QPainter painter;
        if (!painter.begin(&writer)) return std::nullopt;
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
        draw(painter, QRectF(QPointF(0.0, 0.0), page.size()));
        if (!painter.end()) return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<QString> SaveDrawingAsImage(const QString& path, QSize size,
                                          const DrawingFunction& draw) {
    const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    if (!png && !pdf) return kUnknownType;
    if (size.isEmpty()) return kEmptySize;
    const std::optional<QByteArray> bytes = png ? PngBytes(size, draw) : PdfBytes(size, draw);
    if (!bytes) return kNotDrawn;
    if (const auto reason = SaveBytes(path, *bytes)) {
        return QStringLiteral("%1 に保存できませんでした。\n%2").arg(path, *reason);
    }
    return std::nullopt;
}

} // namespace orvalt
