#include "tools/check/pieces_check.h"

#include "config/config_store.h"
#include "config/safe_file.h"
#include "pieces/piece_problems.h"
#include "tools/check/checked_file.h"
#include "tools/piece_shapes.h"

void check_piece_lines(const std::vector<std::string>& lines, const std::string& file_name,
                       Report& report, const std::vector<PieceSource>& sources) {
    for (const PieceProblem& problem : pieces_file_problems(lines)) {
        size_t i = static_cast<size_t>(problem.line) - 1;
        if (problem.line > 0 && i < sources.size()) {
            report.add(sources[i].file, sources[i].line, problem.warning,
                       "piece " + sources[i].name + ": " + problem.message);
        } else {
            report.add(file_name, problem.line, problem.warning, problem.message);
        }
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

int check_pieces_file(const std::string& file_name, Report& report,
                      const PiecesSourceText* source) {
    std::string contents;
    if (!read_file_contents(file_name, contents)) {
        return -1;
    }
    std::vector<std::string> lines = pieces_file_lines(contents);
    std::vector<PieceSource> places;
    if (source != nullptr) {
        places = source_places(*source, lines, file_name, report);
    }
    check_piece_lines(lines, file_name, report, places);
    return static_cast<int>(lines.size());
}
