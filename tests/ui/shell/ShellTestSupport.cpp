// Helpers of the shell tests.
#include "ShellTestSupport.h"

#include <QFile>
#include <cstring>

#include "document/PuzzleFile.h"

namespace zxtest {

std::unique_ptr<zx::TPuzzleData> MakePuzzle(int type, int cols, int rows) {
    auto p = std::make_unique<zx::TPuzzleData>();
    zx::ClearPuzzle(*p);
    p->PuzzleType = static_cast<std::uint8_t>(type);
    p->ColCount = static_cast<std::uint8_t>(cols);
    p->RowCount = static_cast<std::uint8_t>(rows);
    p->CreatorVersion.assign("7.21");
    p->Title.assign("Testr\xE4tsel");
    zx::RepairRecord(*p);
    return p;
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

namespace {
std::string RecordBytes(const zx::TPuzzleData& puzzle) {
    std::string bytes(sizeof puzzle, '\0');
    std::memcpy(bytes.data(), &puzzle, sizeof puzzle);
    return bytes;
}
} // namespace

void WritePuzzleFile(const QString& path, const zx::TPuzzleData& puzzle) {
    WriteBytes(path, zx::MakeHeader("7.21") + RecordBytes(puzzle));
}

void WritePackedPlayer(const QString& path, const zx::TPuzzleData& puzzle, const std::string& ini) {
    std::string bytes(zx::ContainerOffset, '\0');
    bytes.replace(0, 4, "\x7F" "ELF");
    bytes += zx::MakeHeader("7.21");
    bytes += std::string("\xB0\xFF", 2);
    bytes += RecordBytes(puzzle);
    const auto n = static_cast<std::uint32_t>(ini.size());
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    bytes += ini;
    WriteBytes(path, bytes);
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace zxtest
