// A thousand contacts from a Radicale address book into an empty contacts file,
// the whole way: listing, multiget REPORTs, the check, the import. Aims under 2 s.
// Needs Radicale (Debian radicale); without it the benchmark says so and skips.
#include "BenchMain.h"
#include "core/contacts/ContactsFile.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavImport.h"
#include "support/RadicaleServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillet;

namespace {

constexpr int bookSize = 1000;

QByteArray cardFor(int i)
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:bench-%1\r\nN:Lastname%1;Firstname%1;;;\r\n"
                          "FN:Firstname%1 Lastname%1\r\nADR;TYPE=home:;;%1 Main Street;Springfield;IL;62701;USA\r\n"
                          "TEL;TYPE=cell:555-%2\r\nEMAIL;TYPE=internet:person%1@example.com\r\nBDAY:1980-04-10\r\n"
                          "NOTE:Met at the conference in %3\r\nEND:VCARD\r\n")
        .arg(i)
        .arg(i % 10000, 4, 10, QChar(u'0'))
        .arg(1990 + i % 30)
        .toUtf8();
}

void BM_ImportThousandFromServer(benchmark::State& state)
{
    if (const QString missing = test::RadicaleServer::missingReason(); !missing.isEmpty()) {
        state.SkipWithError(qPrintable(missing));
        return;
    }
    test::RadicaleServer server;
    if (!server.start(QStringLiteral("bench"), QStringLiteral("bench"))) {
        state.SkipWithError("Radicale did not start");
        return;
    }
    const QUrl book = server.addBook(QStringLiteral("bench"), QStringLiteral("contacts"), QStringLiteral("Contacts"));
    for (int i = 0; i < bookSize; ++i)
        server.addCard(QStringLiteral("bench"), QStringLiteral("contacts"), QStringLiteral("%1.vcf").arg(i),
                       cardFor(i));
    DavAccount account;
    account.url = book;
    account.user = QStringLiteral("bench");
    account.password = QStringLiteral("bench");
    // Radicale reads every card once to build its own cache; that is the server's
    // first start, not the import's cost.
    if (!CardDavClient(account).listCards(book)) {
        state.SkipWithError("cannot list the book");
        return;
    }
    QTemporaryDir dir;
    int imported = 0;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ContactsFile file;
        (void)file.open(dir.filePath(QStringLiteral("run%1.DAT").arg(++run)), Creation::CreateIfMissing);
        CardDavClient client(account);
        state.ResumeTiming();
        const Result<ImportSummary> summary = importAddressBook(client, book, file, {});
        if (!summary || summary->stoppedBy) {
            state.SkipWithError(summary ? "import stopped" : qPrintable(summary.error().description));
            return;
        }
        imported = summary->imported;
    }
    state.counters["imported"] = imported;
}

BENCHMARK(BM_ImportThousandFromServer)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return quillet::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
