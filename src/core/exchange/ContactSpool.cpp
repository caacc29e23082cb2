#include "core/exchange/ContactSpool.h"

#include "core/common/FileErrors.h"

#include <QDir>

#include <cstring>

namespace quillet {

namespace {

// Each contact: its 400 record bytes, then the number of changes, each a field and
// a change, then whether a name folded.
template <typename T> void put(QByteArray& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

template <typename T> bool take(const QByteArray& in, qsizetype& pos, T& value)
{
    if (in.size() - pos < qsizetype(sizeof(T)))
        return false;
    std::memcpy(&value, in.constData() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

} // namespace

Status ContactSpool::add(const ContactRecord& record, const ContactChanges& changes)
{
    const qsizetype at = m_buffer.size();
    m_buffer.resize(at + recordSize);
    record.writeBytes(m_buffer.data() + at);
    put(m_buffer, quint16(changes.fields.size()));
    for (const FieldChange& change : changes.fields) {
        put(m_buffer, quint8(change.field));
        put(m_buffer, quint8(change.change));
    }
    put(m_buffer, quint8(changes.nameFolded));
    ++m_count;
    return m_buffer.size() > memoryLimit ? spill() : Status();
}

Status ContactSpool::spill()
{
    if (!m_file) {
        m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/quillet-import-XXXXXX"));
        if (!m_file->open())
            return errorFromFileDevice(*m_file);
    }
    if (m_file->write(m_buffer) != m_buffer.size())
        return errorFromFileDevice(*m_file);
    m_buffer.resize(0); // keeps its room for the next contacts
    return {};
}

Status ContactSpool::rewind()
{
    m_read = 0;
    m_status = {};
    if (!m_file)
        return {};
    if (Status spilled = spill(); !spilled)
        return spilled;
    if (!m_file->seek(0))
        return errorFromFileDevice(*m_file);
    return {};
}

// With a temporary file: the next chunk of it behind what is left of the buffer.
bool ContactSpool::fillBuffer()
{
    if (!m_file || m_file->atEnd())
        return false;
    m_buffer.remove(0, m_read);
    m_read = 0;
    const QByteArray chunk = m_file->read(memoryLimit);
    if (chunk.isEmpty()) {
        m_status = errorFromFileDevice(*m_file);
        return false;
    }
    m_buffer += chunk;
    return true;
}

bool ContactSpool::next(QByteArrayView& record, ContactChanges& changes)
{
    changes.fields.clear();
    const qsizetype start = m_read;
    qsizetype pos = start + recordSize;
    bool whole = m_buffer.size() >= pos;
    quint16 count = 0;
    whole = whole && take(m_buffer, pos, count);
    for (int i = 0; i < count && whole; ++i) {
        quint8 field = 0;
        quint8 change = 0;
        whole = take(m_buffer, pos, field) && take(m_buffer, pos, change);
        changes.fields.push_back({static_cast<Field>(field), static_cast<ValueChange>(change)});
    }
    quint8 folded = 0;
    whole = whole && take(m_buffer, pos, folded);
    if (!whole)
        return fillBuffer() && next(record, changes);
    changes.nameFolded = folded != 0;
    record = QByteArrayView(m_buffer.constData() + start, recordSize);
    m_read = pos;
    return true;
}

} // namespace quillet
