#pragma once

#include "core/common/AppError.h"
#include "output/CupsJobOptions.h"

#include <QIODevice>

#include <vector>

typedef struct _http_s http_t;

namespace quillet {

// A PDF print job on a CUPS queue, written to as a device. The job is created
// when the first bytes arrive, so a document with nothing on it makes no job;
// the bytes stream to the scheduler as they come, and the job prints once
// finish() ends its document. A job neither finished nor cancelled is cancelled
// when the device goes.
class CupsJob : public QIODevice
{
public:
    CupsJob(const QString& queue, const QString& title, std::vector<CupsOption> options);
    ~CupsJob() override;

    // Ends the document. errors::deviceIO() when the queue refused the job or the
    // scheduler failed.
    Status finish();
    // Withdraws the job, whatever it has received.
    void cancel();
    // The scheduler's number for the job; 0 before the first bytes.
    int jobId() const { return m_job; }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool begin();
    void disconnect();

    QByteArray m_queue;
    QByteArray m_title;
    std::vector<CupsOption> m_options;
    http_t* m_http = nullptr;
    int m_job = 0;
    bool m_failed = false;
    bool m_done = false;
};

} // namespace quillet
