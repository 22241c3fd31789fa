// The drag data of legend words.
#include "session/WordDrag.h"

#include <QDataStream>
#include <QIODevice>

namespace zx {

QMimeData* MakeWordDrag(const TDraggedWord& word) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << QByteArray::fromStdString(word.Word) << qint32(word.WordIndex)
        << qint32(static_cast<int>(word.List)) << word.TwoLists;
    auto* data = new QMimeData;
    data->setData(WordDragFormat(), bytes);
    return data;
}

std::optional<TDraggedWord> ReadWordDrag(const QMimeData* data) {
    if (!data || !data->hasFormat(WordDragFormat())) return std::nullopt;
    QDataStream in(data->data(WordDragFormat()));
    QByteArray word;
    qint32 index = -1;
    qint32 list = 0;
    bool two = false;
    in >> word >> index >> list >> two;
    // Anything may be dropped on the grid: only whole, sensible data counts.
    if (in.status() != QDataStream::Ok || word.size() > 64 || (list != 0 && list != 1))
        return std::nullopt;
    return TDraggedWord{word.toStdString(), index, static_cast<TLegendList>(list), two};
}

} // namespace zx
