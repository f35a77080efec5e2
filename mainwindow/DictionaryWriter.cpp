#include "DictionaryWriter.h"

#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "DictionarySnapshot.h"

#include <algorithm>
#include <functional>
#include <future>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

namespace {

using Run = std::span<const String>;

// Below this many rows, a save's words are made on one thread: starting more would cost more.
constexpr size_t kRowsForOneThread = 65536;

// Copying and hashing a million words takes most of a save on one thread, so a large list is cut into
// runs of rows, one for each kRowsForOneThread rows, and no more than there are cores to run them.
std::vector<Run> RunsOf(std::span<const String> words) {
    const size_t count = std::clamp<size_t>(words.size() / kRowsForOneThread, 1,
                                            std::max(std::thread::hardware_concurrency(), 1u));
    std::vector<Run> runs;
    runs.reserve(count);
    for (size_t run = 0; run < count; ++run) {
        const size_t start = words.size() * run / count;
        runs.push_back(words.subspan(start, words.size() * (run + 1) / count - start));
    }
    return runs;
}

// Runs the work for each run, on threads of their own when there are several.
void ForEachRun(size_t runs, const std::function<void(size_t)>& work) {
    if (runs == 1) {
        work(0);
        return;
    }
    std::vector<std::future<void>> running;
    running.reserve(runs);
    for (size_t run = 0; run < runs; ++run)
        running.push_back(std::async(std::launch::async, work, run));
    for (std::future<void>& run : running)
        run.get();
}

int64_t SizeOf(Run run, const String& delimiter) {
    int64_t size = 0;
    for (const String& word : run)
        size += static_cast<int64_t>(word.size() + delimiter.size());
    return size;
}

// Where each run starts in the file, and last where the file ends.
std::vector<int64_t> PlacesOf(const std::vector<Run>& runs, const String& delimiter) {
    std::vector<int64_t> places(runs.size() + 1, 0);
    ForEachRun(runs.size(), [&](size_t run) { places[run + 1] = SizeOf(runs[run], delimiter); });
    std::partial_sum(places.begin(), places.end(), places.begin());
    return places;
}

// The snapshot is taken of the words on their way, as the written bytes split into words: a second
// pass over a million rows would cost as much time as the writing.
void WriteRun(Run run, int64_t place, const String& delimiter, const BinaryStream& stream,
              DictionarySnapshot& written, std::mutex& taking) {
    DictionarySnapshot words;
    DictionaryFile::Serialize(run, delimiter, [&](String&& piece) {
        stream.WriteAt(place, piece);
        place += static_cast<int64_t>(piece.size());
        words.AddWordsOf(piece);
        std::lock_guard<std::mutex> lock(taking);
        written.Take(words);
    });
}

} // namespace

// The file's bytes go straight from the words to the stream: a copy of a million words, or of the
// whole file, would cost as much memory again as the words themselves.
DictionarySnapshot DictionaryWriter::Write(std::span<const String> words, const String& delimiter,
                                           BinaryStream& stream) {
    const std::vector<Run> runs = RunsOf(words);
    const std::vector<int64_t> places = PlacesOf(runs, delimiter);
    stream.SetSize(places.back());
    DictionarySnapshot written(static_cast<int64_t>(words.size()));
    std::mutex taking;
    ForEachRun(runs.size(),
               [&](size_t run) { WriteRun(runs[run], places[run], delimiter, stream, written, taking); });
    return written;
}
