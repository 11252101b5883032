#include "reference/ReferenceJobs.h"

#include "reference/ReferenceTexts.h"
#include "tester/TesterLink.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace vanto {
namespace {

enum ReferenceSelector : int { ListSets = 1, DeleteOne = 2, WriteOne = 3, ReadOne = 4, DeleteAll = 5 };
enum ReadPass : int { DataPass = 0, ValuePass = 1 };
constexpr int PauseBetweenFiles = 80; // ms

// One command and its answer; the answer is fetched only when the command went out.
int Exchange(TesterLink& link, int selector, int first = 0, int second = 0) {
    const int length = link.BuildCommand(GroupReference, selector, first, second);
    const int sent = link.SendCommand(length);
    return sent != LinkOk ? sent : link.ReceiveAnswer();
}

// The answer's data as text: up to its first zero byte.
std::string AnswerText(const TesterLink& link) {
    const std::string_view data = link.AnswerData();
    return std::string(data.substr(0, data.find('\0')));
}

bool IsRefusal(const TesterLink& link) {
    return link.IoBuffer[3] == 'A' && link.IoBuffer[4] == '0' && link.IoBuffer[5] == '0';
}

} // namespace

bool SupportsReferenceValues(const TesterLink& link) {
    return (link.AppLog & 0x8000'0000u) != 0;
}

ReferenceList ListReferenceSets(TesterLink& link) {
    ReferenceList list;
    if (Exchange(link, ListSets) == LinkOk) {
        list.Received = true;
        list.Entries = ReferenceListEntries(link.AnswerData());
    }
    return list;
}

ReferenceRead ReadReferenceSet(TesterLink& link, const std::string& exeDir, int setNumber) {
    ReferenceRead read;
    if (Exchange(link, ReadOne, setNumber, DataPass) != LinkOk) {
        read.Outcome = ReadOutcome::DataPassFailed;
        return read;
    }
    const std::string data = AnswerText(link);
    read.Info = ReferenceInfo::FromReferenceData(data);
    if (!WriteWorkFile(exeDir, WorkPass::Data, data)) {
        read.Outcome = ReadOutcome::WorkFileFailed;
        return read;
    }
    if (Exchange(link, ReadOne, setNumber, ValuePass) != LinkOk) {
        read.Outcome = ReadOutcome::ValuePassFailed;
        return read;
    }
    read.Outcome =
        WriteWorkFile(exeDir, WorkPass::Value, AnswerText(link)) ? ReadOutcome::Read : ReadOutcome::WorkFileFailed;
    return read;
}

bool DeleteReferenceSet(TesterLink& link, int setNumber) {
    return Exchange(link, DeleteOne, setNumber) == LinkOk;
}

bool DeleteAllReferenceSets(TesterLink& link) {
    return Exchange(link, DeleteAll) == LinkOk;
}

const char* WriteStopText(WriteStop stop) {
    switch (stop) {
    case WriteStop::AllWritten:
        return "";
    case WriteStop::FileUnreadable:
        return FileUnreadableText;
    case WriteStop::Refused:
        return AreaFullText;
    case WriteStop::NoAnswer:
        return NoAnswerText;
    }
    return "";
}

ReferenceWrite WriteReferenceFiles(TesterLink& link, const std::vector<std::string>& paths,
                                   const WriteProgress& progress, const Sleeper& sleep) {
    ReferenceWrite run;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (k > 0) {
            if (sleep) {
                sleep(PauseBetweenFiles);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(PauseBetweenFiles));
            }
        }
        if (progress) {
            progress(k, paths.size());
        }
        // The file may have changed or gone since it was picked.
        const auto text = ReadSectionLine(paths[k], "[DATA]", "DATA=");
        if (!text || !IsValidReferenceData(*text) || text->size() >= link.DataBuffer.size()) {
            run.Stop = WriteStop::FileUnreadable;
            break;
        }
        std::fill(link.DataBuffer.begin(), link.DataBuffer.end(), 0);
        std::memcpy(link.DataBuffer.data(), text->data(), text->size());
        const int length = link.BuildCommand(GroupReference, WriteOne, 0, 0);
        if (length == 0 || link.SendCommand(length) != LinkOk) {
            run.Stop = WriteStop::FileUnreadable;
            break;
        }
        // The sent frame must not read as a refusal when no answer arrives at all.
        std::fill_n(link.IoBuffer.begin(), 7, 0);
        if (link.ReceiveAnswer() != LinkOk) {
            run.Stop = IsRefusal(link) ? WriteStop::Refused : WriteStop::NoAnswer;
            break;
        }
        ++run.Written;
    }
    link.LinkOpen = 0;
    return run;
}

} // namespace vanto
