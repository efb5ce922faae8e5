#include "tools/check/pieces_check.h"

#include "config/config_store.h"
#include "config/safe_file.h"
#include "pieces/piece_problems.h"
#include "tools/check/checked_file.h"
#include "tools/piece_shapes.h"

namespace {

// Where a problem of a piece is reported: its line of the pieces file, or its lines in the
// readable source it was made from, naming the piece.
struct Place {
    std::string file;
    int line;
    Report& report;
    std::string piece;  // "piece T: " when the source names it
    void error(const std::string& message) const { report.error(file, line, piece + message); }
    void warning(const std::string& message) const { report.warning(file, line, piece + message); }
};

// How many lines from `first` on, joined again by the line feeds between them, make exactly
// one description: 0 when they do not. A description byte of 10 splits the description there.
size_t lines_cut_by_byte_10(const std::vector<std::string>& lines, size_t first) {
    size_t length = lines[first].size();
    for (size_t next = first + 1; next < lines.size(); next++) {
        length += 1 + lines[next].size();
        if (length == piece_description_length) {
            return next - first + 1;
        }
        if (length > piece_description_length) {
            return 0;
        }
    }
    return 0;
}

// A short line: the game skips it. Returns how many lines the problem covers.
size_t report_short_line(const std::vector<std::string>& lines, size_t index, const Place& at) {
    std::string length = int_to_text(static_cast<int>(lines[index].size()));
    size_t cut = lines_cut_by_byte_10(lines, index);
    if (cut > 0) {
        std::string next = cut == 2
                               ? "the next line"
                               : "the next " + int_to_text(static_cast<int>(cut) - 1) + " lines";
        at.error("only " + length + " bytes: this line and " + next +
                 " look like one description cut by a byte 10, which ends a line, so no byte of "
                 "a description may be 10 (set a flag with 1)");
        return cut;
    }
    at.error("only " + length + " bytes, a piece needs 13; the game skips this line");
    return 1;
}

// True when the game can deal the piece.
bool check_piece(const std::string& line, const Place& at) {
    std::vector<PieceProblem> problems;
    bool dealt = piece_problems(line, problems);
    for (const PieceProblem& problem : problems) {
        problem.warning ? at.warning(problem.message) : at.error(problem.message);
    }
    return dealt;
}

// Most lines of a file saved on another system end with a carriage return, which the game
// ignores: said once, not on every line.
bool report_crlf(const std::vector<std::string>& lines, const std::string& file_name,
                 Report& report) {
    size_t ending_in_cr = 0;
    for (const std::string& line : lines) {
        ending_in_cr += ends_in_carriage_return(line);
    }
    if (ending_in_cr < 2) {
        return false;
    }
    report.warning(file_name, 0,
                   "this file has CR LF line endings: the game ignores the carriage return "
                   "after each 13-byte description");
    return true;
}

Place place_of(size_t i, const std::string& file_name, const std::vector<PieceSource>& sources,
               Report& report) {
    if (i < sources.size()) {
        return Place{sources[i].file, sources[i].line, report, "piece " + sources[i].name + ": "};
    }
    return Place{file_name, static_cast<int>(i) + 1, report, ""};
}

}  // namespace

void check_piece_lines(const std::vector<std::string>& lines, const std::string& file_name,
                       Report& report, const std::vector<PieceSource>& sources) {
    int pieces = 0;
    std::vector<std::string> seen = lines;
    if (report_crlf(lines, file_name, report)) {
        for (std::string& line : seen) {
            if (ends_in_carriage_return(line)) {
                line.pop_back();
            }
        }
    }
    for (size_t i = 0; i < seen.size();) {
        Place at = place_of(i, file_name, sources, report);
        if (seen[i].size() < piece_description_length) {
            i += report_short_line(seen, i, at);
            continue;
        }
        pieces += check_piece(seen[i], at) ? 1 : 0;
        i++;
    }
    if (pieces == 0) {
        report.error(file_name, 0, "holds no piece: the game cannot deal one");
    }
}

namespace {

std::vector<PieceSource> source_places(const PiecesSourceText& source,
                                       const std::vector<std::string>& lines,
                                       const std::string& file_name, Report& report) {
    PiecesSource parsed = parse_pieces_source(source.text);
    if (!parsed.error.empty()) {
        report.error(source.name, parsed.error_line, parsed.error);
        return {};
    }
    bool same = parsed.pieces.size() == lines.size();
    for (size_t i = 0; same && i < lines.size(); i++) {
        same = lines[i].compare(0, piece_description_length,
                                description_bytes(parsed.pieces[i].shape)) == 0;
    }
    if (!same) {
        report.warning(file_name, 0,
                       "was not made from " + quoted(source.name) +
                           " as it is now: run make_pieces; problems are shown at this file's "
                           "lines");
        return {};
    }
    std::vector<PieceSource> places;
    for (const SourcePiece& piece : parsed.pieces) {
        places.push_back(PieceSource{source.name, piece.line, piece.name});
    }
    return places;
}

}  // namespace

bool check_pieces_file(const std::string& file_name, Report& report,
                       const PiecesSourceText* source) {
    std::string contents;
    if (!read_file_contents(file_name, contents)) {
        return false;
    }
    std::vector<std::string> lines = pieces_file_lines(contents);
    std::vector<PieceSource> places;
    if (source != nullptr) {
        places = source_places(*source, lines, file_name, report);
    }
    check_piece_lines(lines, file_name, report, places);
    return true;
}
