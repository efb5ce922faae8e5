// Fuzzes the scores file: any bytes as a scores file are read, saved and read again. The second
// reading must find no damaged line and exactly the tables of the first (and the lines of modes
// it does not know), each in its mode's order and within its ten places.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "scores/score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = scratch_folder() + "/scores.txt";
    write_bytes(file, data, size);

    ScoreFile scores;
    require(scores.read(file.c_str()), "an existing file could not be read");
    for (const auto& [mode, table] : scores.tables) {
        require(table.entries.size() <= static_cast<size_t>(table_size), "a table is too long");
        for (size_t i = 0; i < table.entries.size(); i++) {
            const ScoreEntry& entry = table.entries[i];
            require((table.by_time ? entry.time : entry.points) > 0, "an entry that cannot rank");
            require(valid_name(entry.name), "an entry with a bad name");
            require(i == 0 || !table.better(entry, table.entries[i - 1]), "a table out of order");
        }
    }
    require(scores.save(file.c_str()), "save failed");

    ScoreFile again;
    require(again.read(file.c_str()), "the saved file could not be read");
    require(again.skipped_lines.empty(), "the saved file has damaged lines");
    require(again.to_store().to_text() == scores.to_store().to_text(),
            "the saved file reads back other tables");
    return 0;
}
