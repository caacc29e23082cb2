#include "output/CupsJob.h"

#include <cups/cups.h>

namespace quillet {

namespace {

constexpr int connectTimeoutMs = 30000;

} // namespace

CupsJob::CupsJob(const QString& queue, const QString& title, std::vector<CupsOption> options)
    : m_queue(queue.toUtf8()), m_title(title.toUtf8()), m_options(std::move(options))
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

CupsJob::~CupsJob()
{
    if (!m_done)
        cancel();
    disconnect();
}

qint64 CupsJob::readData(char*, qint64)
{
    return -1;
}

// A connection of the job's own: the document's request holds it until the job
// ends, and a cancel goes over another.
bool CupsJob::begin()
{
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, connectTimeoutMs, nullptr);
    if (!m_http)
        return false;
    cups_option_t* options = nullptr;
    int count = 0;
    for (const CupsOption& option : m_options)
        count = cupsAddOption(option.name.constData(), option.value.constData(), count, &options);
    m_job = cupsCreateJob(m_http, m_queue.constData(), m_title.constData(), count, options);
    cupsFreeOptions(count, options);
    return m_job > 0 && cupsStartDocument(m_http, m_queue.constData(), m_job, m_title.constData(), CUPS_FORMAT_PDF,
                                          1) == HTTP_STATUS_CONTINUE;
}

qint64 CupsJob::writeData(const char* data, qint64 size)
{
    if (m_failed || m_done)
        return -1;
    if (!m_http && !begin()) {
        m_failed = true;
        return -1;
    }
    if (cupsWriteRequestData(m_http, data, std::size_t(size)) != HTTP_STATUS_CONTINUE) {
        m_failed = true;
        return -1;
    }
    return size;
}

Status CupsJob::finish()
{
    if (m_failed)
        return errors::deviceIO();
    m_done = true;
    if (!m_http)
        return Status::success(); // nothing was printed: no job
    const bool printed = cupsFinishDocument(m_http, m_queue.constData()) == IPP_STATUS_OK;
    disconnect();
    return printed ? Status::success() : Status(errors::deviceIO());
}

void CupsJob::cancel()
{
    m_done = true;
    // Closing the connection abandons the document the scheduler was receiving.
    disconnect();
    if (m_job > 0)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, m_queue.constData(), m_job, 0);
}

void CupsJob::disconnect()
{
    if (m_http)
        httpClose(m_http);
    m_http = nullptr;
}

} // namespace quillet
