// Vector images rendered once into pictures and icons, or taken ready-made
// from the build; also the build's tool that makes them.
#include "controls/SvgImage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <vector>

namespace zx {

namespace {

// Draws the picture scaled to fit pixels, as the toolkit's vector icons do.
QImage DrawSvg(const QString& path, const QSize& pixels) {
    QSvgRenderer svg(path);
    if (!svg.isValid()) return QImage();
    QSize size = svg.defaultSize();
    if (!size.isNull()) size.scale(pixels, Qt::KeepAspectRatio);
    if (size.isEmpty()) return QImage();
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

// Draws the picture at its own size in logical pixels for a pixel ratio.
QImage DrawSvgAtRatio(const QString& path, qreal ratio) {
    QSvgRenderer svg(path);
    if (!svg.isValid()) return QImage();
    QImage img(svg.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(svg.defaultSize())));
    return img;
}

// A picture rendered by the build is kept as its pixels (premultiplied ARGB,
// in the machine's byte order) after a mark and its size. The resource
// compiler packs it, so loading one is an unpacking and a copy: no image
// decoder runs at start.
constexpr quint32 PictureMark = 0x5A585031;
struct TPictureHeader {
    quint32 Mark;
    quint32 Width;
    quint32 Height;
};
constexpr quint32 MaxPictureSide = 4096;

// The picture rendered at build time, or a null image (also for one of
// another byte order or cut short).
QImage LoadPrebuilt(const QString& prebuilt) {
    if (prebuilt.isEmpty()) return QImage();
    const QResource resource(prebuilt);
    if (!resource.isValid()) return QImage();
    const QByteArray bytes = resource.uncompressedData();
    TPictureHeader header{};
    if (bytes.size() < qsizetype(sizeof header)) return QImage();
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (header.Mark != PictureMark || header.Width == 0 || header.Height == 0 ||
        header.Width > MaxPictureSide || header.Height > MaxPictureSide)
        return QImage();
    const qsizetype row = qsizetype(header.Width) * 4;
    if (bytes.size() != qsizetype(sizeof header) + row * header.Height) return QImage();
    QImage img(int(header.Width), int(header.Height), QImage::Format_ARGB32_Premultiplied);
    const char* pixels = bytes.constData() + sizeof header;
    for (int y = 0; y < img.height(); ++y) std::memcpy(img.scanLine(y), pixels + y * row, row);
    return img;
}

bool SavePrebuilt(const QImage& picture, const QString& target) {
    const QImage img = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QFile file(target);
    if (img.isNull() || !file.open(QIODevice::WriteOnly)) return false;
    const TPictureHeader header{PictureMark, quint32(img.width()), quint32(img.height())};
    bool written =
        file.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    const qint64 row = qint64(img.width()) * 4;
    for (int y = 0; written && y < img.height(); ++y)
        written = file.write(reinterpret_cast<const char*>(img.constScanLine(y)), row) == row;
    return written && file.flush();
}

// Does what the toolkit's vector icons do, but never parses the image for a
// size the build has rendered, and parses it once per size otherwise (the
// toolkit parses it when the icon is made and again for every size drawn).
class TSvgIconEngine : public QIconEngine {
public:
    explicit TSvgIconEngine(const QString& path) : m_path(path), m_null(!QFileInfo::exists(path)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        for (const TDrawn& d : m_drawn)
            if (d.Size == size && d.Mode == mode && d.State == state) return d.Pixmap;
        QPixmap pm = QPixmap::fromImage(RenderSvg(m_path, size));
        // Other modes are the style's variants of the normal picture.
        if (!pm.isNull() && mode != QIcon::Normal && qobject_cast<QApplication*>(qApp)) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull()) pm = generated;
        }
        m_drawn.push_back({size, mode, state, pm});
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        QSize pixels = rect.size();
        if (painter->device()) pixels *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(pixels, mode, state));
    }

    QIconEngine* clone() const override { return new TSvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("TSvgIconEngine"); }
    bool isNull() override { return m_null; }

private:
    struct TDrawn {
        QSize Size;
        QIcon::Mode Mode;
        QIcon::State State;
        QPixmap Pixmap;
    };
    QString m_path;
    bool m_null;
    std::vector<TDrawn> m_drawn;
};

QString PrebuiltName(const QString& path, const QString& suffix) {
    if (!path.startsWith(QLatin1String(":/")) || !path.endsWith(QLatin1String(".svg")))
        return QString();
    return QStringLiteral(":/prebuilt/") + path.mid(2, path.size() - 6) + suffix;
}

} // namespace

QString PrebuiltPicture(const QString& path, const QSize& pixels) {
    return PrebuiltName(path, QStringLiteral("-%1x%2.pic").arg(pixels.width()).arg(pixels.height()));
}

QString PrebuiltPicture(const QString& path, int ratio) {
    return PrebuiltName(path, QStringLiteral("-%1x.pic").arg(ratio));
}

QImage RenderSvg(const QString& path, qreal ratio) {
    if (ratio <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        ratio = screen ? screen->devicePixelRatio() : 1.0;
    }
    ratio = std::max<qreal>(ratio, 1.0);
    if (ratio == std::floor(ratio)) {
        QImage img = LoadPrebuilt(PrebuiltPicture(path, static_cast<int>(ratio)));
        if (!img.isNull()) {
            img.setDevicePixelRatio(ratio);
            return img;
        }
    }
    return DrawSvgAtRatio(path, ratio);
}

QImage RenderSvg(const QString& path, const QSize& pixels) {
    if (pixels.isEmpty()) return QImage();
    QImage img = LoadPrebuilt(PrebuiltPicture(path, pixels));
    return img.isNull() ? DrawSvg(path, pixels) : img;
}

QIcon SvgIcon(const QString& path) {
    return QIcon(new TSvgIconEngine(path));
}

int RenderPrebuiltPictures(const QStringList& arguments) {
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: OUTDIR SOURCEDIR PICTURE=SIZE,SIZE...\n");
        return 2;
    }
    const QDir out(arguments[0]);
    const QDir source(arguments[1]);
    for (const QString& entry : arguments.mid(2)) {
        const QString picture = entry.section(QLatin1Char('='), 0, 0);
        const QStringList sides = entry.section(QLatin1Char('='), 1).split(QLatin1Char(','));
        for (const QString& side : sides) {
            // "18": an 18 x 18 icon; "2x": the picture's own size at ratio 2.
            const bool ratio = side.endsWith(QLatin1Char('x'));
            bool number = false;
            const int value = (ratio ? side.chopped(1) : side).toInt(&number);
            if (!number || value < 1) {
                std::fprintf(stderr, "%s: size '%s' is no size\n", qPrintable(entry),
                             qPrintable(side));
                return 1;
            }
            const QString file = source.filePath(picture);
            const QString resource = QStringLiteral(":/") + picture;
            QImage img = ratio ? DrawSvgAtRatio(file, value) : DrawSvg(file, QSize(value, value));
            img.setDevicePixelRatio(1);
            const QString target =
                out.filePath((ratio ? PrebuiltPicture(resource, value)
                                    : PrebuiltPicture(resource, QSize(value, value)))
                                 .mid(11));
            if (img.isNull() || !QDir().mkpath(QFileInfo(target).path()) ||
                !SavePrebuilt(img, target)) {
                std::fprintf(stderr, "%s: cannot render %s\n", qPrintable(file), qPrintable(target));
                return 1;
            }
        }
    }
    return 0;
}

} // namespace zx

#ifdef ZX_PICTURE_TOOL
// The tool runs during the build, without a screen.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return zx::RenderPrebuiltPictures(app.arguments().mid(1));
}
#endif
