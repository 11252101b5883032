#include "continuous/ContinuousJob.h"

#include "tester/TesterLink.h"

namespace vanto {

namespace {

constexpr int SelectRange = 1;
constexpr int SelectItems = 2;
constexpr int SelectRecords = 3;

enum class Exchanged { Answered, Refused, LinkLost };

// One exchange. A refused answer (status "A00" or a damaged frame) stays in IoBuffer and fails the checks;
// a link that broke leaves no such answer there, and a tester back in its download menu is gone as well.
Exchanged Exchange(TesterLink& link, int selector, int first = 0, int second = 0) {
    if (link.SendCommand(link.BuildCommand(GroupContinuous, selector, first, second)) != LinkOk) {
        return Exchanged::LinkLost;
    }
    const int received = link.ReceiveAnswer();
    if (received == LinkOk) {
        return Exchanged::Answered;
    }
    return received == LinkFailed && link.CheckAnswer() != LinkOk ? Exchanged::Refused : Exchanged::LinkLost;
}

} // namespace

const char* ContinuousResultMessage(ContinuousResult result) {
    switch (result) {
    case ContinuousResult::Done:
        return nullptr;
    case ContinuousResult::NoRecord:
        return ContinuousNoRecordText;
    case ContinuousResult::SomeRequestFailed:
    case ContinuousResult::StartFailed:
        break;
    }
    return ContinuousCommunicationFailedText;
}

ContinuousDownload DownloadContinuous(TesterLink& link, ContinuousTable& table, const ContinuousProgress& progress) {
    ContinuousDownload download;
    if (Exchange(link, SelectRange) != Exchanged::Answered) {
        return download;
    }
    const auto range = ParseRecordRange(link.AnswerData());
    if (!range) {
        download.result = ContinuousResult::NoRecord;
        return download;
    }
    if (Exchange(link, SelectItems) != Exchanged::Answered) {
        return download;
    }
    // The new series is built beside the old one, so a download that cannot start leaves the table shown.
    ContinuousTable series = ParseItemRows(link.AnswerData());
    const int perRequest = RecordsPerRequest(link.BufferSize, series.ColumnCount());
    const int64_t blocks = RequestCount(*range, perRequest);

    for (int64_t block = 0; block < blocks; ++block) {
        if (progress) {
            progress(block + 1, blocks);
        }
        const RecordRange request = NthRequest(*range, perRequest, block);
        ++download.requests;
        const Exchanged exchanged = Exchange(link, SelectRecords, request.first, request.last);
        if (exchanged == Exchanged::Answered) {
            AppendRecords(series, link.AnswerData());
            continue;
        }
        ++download.failedRequests;
        if (exchanged == Exchanged::LinkLost) {
            download.linkLost = true;
            break;
        }
    }
    // With no record the table is its two header rows.
    table = std::move(series);
    download.result = download.failedRequests == 0 ? ContinuousResult::Done : ContinuousResult::SomeRequestFailed;
    return download;
}

} // namespace vanto
