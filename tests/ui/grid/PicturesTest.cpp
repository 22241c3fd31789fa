// What the painter keeps or looks up once gives what it would get anew: the
// grid window's text pictures give the pixels drawing gives (but for the
// toolkit's own rounding), the pictures rendered at build time are those the
// toolkit renders from the vector images now, and a face looked up by its
// installed name is the font its own name gives.
#include <QDirIterator>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

#include "GridTestSupport.h"
#include "controls/SvgImage.h"
#include "grid/CellPainter.h"

using namespace gridtest;

namespace {

// A canvas of many colours, so that every kind of pixel is blended with.
QImage Canvas(QImage::Format format, int scale) {
    QImage img(QSize(460, 380) * scale, format);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, (x + 3 * y) & 255));
    img.setDevicePixelRatio(scale);
    return img;
}

// The same picture but for the toolkit's rounding of a blend, which differs
// between its code paths by one step in a channel of an edge pixel here and
// there (one pixel in a thousand at most).
bool Alike(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (p == q) continue;
            ++differing;
            if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1 ||
                std::abs(qBlue(p) - qBlue(q)) > 1 || std::abs(qAlpha(p) - qAlpha(q)) > 1)
                return false;
        }
    return differing * 1000 <= a.width() * a.height();
}

QFont LetterFont(int pointSize, int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(bold);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    else
        font.setPointSize(pointSize);
    return font;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { zx::InstallFontSubstitutes(); }

    void textPicturesDrawWhatDrawingDraws() {
        const struct {
            const char* name;
            QFont font;
            int pixels; // the font's pixel size on a 96-dpi canvas
        } fonts[] = {
            {"letters of 44 pt", LetterFont(44, 0, true), 59},
            {"letters of 100 px", LetterFont(0, 100, true), 100},
            {"numbers of 12 px", LetterFont(0, 12, false), 12},
        };
        const QColor colours[] = {QColor(0, 0, 0x80), QColor(200, 30, 30, 128)};
        for (const int scale : {1, 2, 3})
            for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32})
                for (const auto& f : fonts) {
                    const QString name = QStringLiteral("%1, ratio %2, format %3")
                                             .arg(QLatin1String(f.name)).arg(scale).arg(format);
                    QImage drawn;
                    QImage copied;
                    zx::TTextCache texts;
                    // The toolkit draws a font's very first texts a little
                    // differently from later ones: the texts are drawn twice.
                    for (int round = 0; round < 2; ++round) {
                        drawn = Canvas(format, scale);
                        copied = drawn;
                        QPainter d(&drawn);
                        QPainter c(&copied);
                        // Texts near the top left corner are drawn, the others copied.
                        d.translate(3, 2);
                        c.translate(3, 2);
                        int x = 0;
                        // "A" twice: a picture is copied again.
                        for (const char* text : {"A", "W", "\xc3\x84g", "199", "A", "1"}) {
                            const QString t = QString::fromUtf8(text);
                            const QColor& colour = colours[x / 70 % 2];
                            const QRect box(x, x < 70 ? 4 : 150, 60, 60);
                            d.setFont(f.font);
                            d.setPen(colour);
                            d.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, t);
                            texts.DrawCentred(c, f.font, colour, box, t);
                            d.drawText(QPointF(x + 1, 250 + d.fontMetrics().ascent()), t);
                            texts.DrawAt(c, f.font, colour, x + 1, 250, t);
                            x += 70;
                        }
                    }
                    QVERIFY2(Alike(copied, drawn), qPrintable(name));
                    // Only texts the toolkit fills from outlines are kept.
                    const bool outlines = f.pixels * scale > 70;
                    QCOMPARE(texts.Copies() > 0, outlines);
                    // Texts from the glyph cache come out exactly as drawn.
                    if (!outlines) QVERIFY2(copied == drawn, qPrintable(name));
                }
    }

    void gridCellsWithAndWithoutPictures() {
        // Every kind of puzzle at ratio 2 with letters of 44 points: entries
        // right and wrong, errors marked, the cursor with its arrow.
        int copies = 0;
        for (const QString& name : SampleNames()) {
            TFormHolder h = Open(FrameFromSample(name));
            QVERIFY2(h.Form, qPrintable(name));
            zx::TPlayerState& st = h.Frame->St;
            st.Settings.Schriftgroesse = 44;
            st.Settings.FehlerZeigen = true;
            for (int c = 1; c <= zx::UsedCols(st.Puzzle); ++c)
                for (int r = 1; r <= zx::UsedRows(st.Puzzle); ++r)
                    if ((c + r) % 3 == 0) st.Puzzle.entry(c, r).assign("X");
                    else if ((c + r) % 2 == 0) st.Puzzle.entry(c, r).assign(st.Puzzle.cell(c, r).Text.view());
            zx::TCellPaintContext ctx = h.Form->PaintContext();
            zx::TTextCache texts;
            // The toolkit draws a font's very first texts a little differently
            // from later ones: the comparison follows a first painting.
            auto paint = [&](zx::TTextCache* cache) {
                ctx.Texts = cache;
                QImage img(QSize(16 * 61, 16 * 61) * 2, QImage::Format_ARGB32_Premultiplied);
                img.setDevicePixelRatio(2);
                img.fill(Qt::white);
                QPainter p(&img);
                for (int c = 0; c <= 15; ++c)
                    for (int r = 0; r <= 15; ++r)
                        zx::PaintCell(p, ctx, c, r, QRect(c * 61, r * 61, 60, 60));
                return img;
            };
            paint(nullptr);
            QVERIFY2(Alike(paint(&texts), paint(nullptr)), qPrintable(name));
            copies += texts.Copies();
        }
        QVERIFY(copies > 0);
    }

    void installedFacesAreTheFontsOfTheirNames() {
        for (const char* face : {"Arial", "MS Sans Serif", "Times New Roman", "Liberation Sans"}) {
            const QFont named(QString::fromLatin1(face), 12);
            const QFont installed(zx::InstalledFace(QString::fromLatin1(face)), 12);
            QCOMPARE(QFontInfo(installed).family(), QFontInfo(named).family());
            QCOMPARE(QFontMetrics(installed).horizontalAdvance(QStringLiteral("Rätsel")),
                     QFontMetrics(named).horizontalAdvance(QStringLiteral("Rätsel")));
        }
    }

    void prebuiltPicturesAreTheVectorImages() {
        // Icons look as the toolkit's own vector icons look, in every mode;
        // pictures at their own size as rendered for the ratio.
        static const QRegularExpression sized(QStringLiteral("^(.*)-(\\d+)x(\\d+)\\.pic$"));
        static const QRegularExpression ratio(QStringLiteral("^(.*)-(\\d+)x\\.pic$"));
        int pictures = 0;
        for (QDirIterator it(QStringLiteral(":/prebuilt"), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString file = it.next().mid(11);
            ++pictures;
            if (const auto m = sized.match(file); m.hasMatch()) {
                const QString svg = QStringLiteral(":/") + m.captured(1) + QStringLiteral(".svg");
                const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                    const QImage ours = zx::SvgIcon(svg).pixmap(size, mode).toImage();
                    const QImage toolkit = QIcon(svg).pixmap(size, mode).toImage();
                    QVERIFY2(!ours.isNull() && ours == toolkit, qPrintable(file));
                }
            } else if (const auto r = ratio.match(file); r.hasMatch()) {
                const QString svg = QStringLiteral(":/") + r.captured(1) + QStringLiteral(".svg");
                const int scale = r.captured(2).toInt();
                QSvgRenderer renderer(svg);
                QImage fresh(renderer.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
                fresh.setDevicePixelRatio(scale);
                fresh.fill(Qt::transparent);
                QPainter p(&fresh);
                renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(renderer.defaultSize())));
                p.end();
                QVERIFY2(zx::RenderSvg(svg, scale) == fresh, qPrintable(file));
            } else {
                QFAIL(qPrintable(file));
            }
        }
        QVERIFY(pictures >= 40);
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
