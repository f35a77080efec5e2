#pragma once

#include <cstdint>
#include <filesystem>

/// What one benchmark measured: the seconds of its timed span and the process's peak memory at its end.
struct Measured {
    double Seconds = 0;
    double PeakMB = 0;
};

/// The benchmarks, one per process so that the peak memory is that benchmark's. Each runs Wordloom
/// through its start-up in a temporary home and times one operation as the user starts it; a run
/// whose result is not what the operation should give raises std::runtime_error.
namespace Measurements {
/// Selecting the dictionary until its words are shown in the word list.
Measured Load(const std::filesystem::path& dictionary);
/// The toolbar's Save until "Dictionary saved.", which comes after the file is on disk.
Measured Save(const std::filesystem::path& dictionary);
/// The second Save of the same unchanged dictionary in one session, timed as Save.
Measured SaveAgain(const std::filesystem::path& dictionary);
/// The toolbar's Save until "Dictionary saved.", after another program took words out of the loaded
/// NUL-delimited dictionary and appended others.
Measured SaveAfterOutsideChange(const std::filesystem::path& dictionary);
/// Delete Word with every other one of that many words selected, until the list is shown again.
Measured Delete(int64_t words);
/// Selecting the dictionary, then its longest word's row, until that row is shown; the word must
/// stay whole in the list.
Measured LongWord(const std::filesystem::path& dictionary);
/// Import of the word list into an empty dictionary, until its words are shown.
Measured Import(const std::filesystem::path& wordList);
/// From the launch of the process until the main window is first shown; the dictionary, when given,
/// is the one dictionary in the Spelling folder.
Measured Startup(const std::filesystem::path& dictionary);
} // namespace Measurements
