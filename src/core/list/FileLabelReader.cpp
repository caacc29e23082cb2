#include "core/list/FileLabelReader.h"

#include "core/common/Cp1252.h"

namespace quillet {

namespace {

// The three lines, each after a byte that gives its length: a line is at most two
// fields and a separator, well under 256 bytes.
void keepLines(QByteArray& kept, QByteArrayView recordBytes)
{
    for (const QByteArray& line : labelLineBytes(recordBytes)) {
        kept.append(char(quint8(line.size())));
        kept.append(line);
    }
}

} // namespace

FileLabelReader::FileLabelReader(const ContactsFile& file, const ListedContacts& listed, qsizetype run)
    : m_runs(file, listed, run, keepLines)
{}

const LabelTexts* FileLabelReader::next()
{
    const std::optional<QByteArrayView> kept = m_runs.next();
    if (!kept)
        return nullptr;
    QByteArrayView rest = *kept;
    for (QString LabelTexts::*line : {&LabelTexts::name, &LabelTexts::street, &LabelTexts::city}) {
        const qsizetype length = quint8(rest.front());
        m_current.*line = cp1252::decode(rest.sliced(1, length));
        rest = rest.sliced(1 + length);
    }
    return &m_current;
}

} // namespace quillet
