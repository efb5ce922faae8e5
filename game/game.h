// One game of the falling-block puzzle and everything needed to show it. The shell builds one
// Game per run and plays game after game on it, resetting it in between.
//
// The operations live in separate files by subsystem:
//   game_setup.cpp   construction, images, tiles, boxes, screen layout, teardown
//   game_rules.cpp   the board, moves, turns, landing, rows, scoring, speed, dealing
//   game_screen.cpp  drawing the boxes and the board, pause and game-over screens
//   game_loop.cpp    the game loop, the fall clock and the keyboard
//   game_options.cpp the player's options: landing shadow, hold box, bag dealer
//   handling.cpp     the handling options: lock delay, kicks, preview, soft drop, drop protection
//   game_modes.cpp   the ways to play, the clock and the numbers of a game
//   game_replay.cpp  the game's clock, recording its inputs and playing a replay again
//   game_watch.cpp   watching a replay on the game screen, and taking it over
//   piece.cpp        the Piece operations and reading the pieces file
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "compositor/compositor.h"
#include "config/config_store.h"
#include "game/game_numbers.h"
#include "game/handling.h"
#include "game/piece.h"
#include "input/pad_reader.h"
#include "kicks/kicks.h"
#include "modes/game_mode.h"
#include "replays/replay_file.h"
#include "session/session.h"
#include "watch/file_watch.h"

// How load_image prepares an image.
enum ImageKind {
    opaque = 0,       // display format, copied as it is
    alpha_copy = 1,   // display format with alpha; colour and alpha copied unblended
    alpha_blend = 2,  // display format with alpha; blended by its alpha
};

// What one tick of the fall clock did.
// resting: the piece cannot fall and waits out the lock delay before it lands.
enum class GravityResult { moved, landed, collapsed, game_over, resting };

// How the last game ended: lost (the game-over picture was shown), left by the player with the
// leave key (no result: an abandoned game counts nowhere), or the window was closed; finished
// when the mode's goal was reached (sprint's rows, ultra's time), restarted with the restart
// key (counts nowhere, like a game left).
enum class GameEnd { lost, left, closed, finished, restarted };

// Where a replay being watched stands.
struct ReplayWatch {
    const Replay* replay = nullptr;
    size_t next = 0;       // its first input not done yet
    Uint32 shown = 0;      // its millisecond on the screen
    int speed = 1;         // replay milliseconds per millisecond
    bool stopped = false;  // the viewer paused it
    bool running = true;   // its game has not ended
};

// What a viewer's event asks of a watched replay.
enum class WatchAsk { go_on, back, close, take_over };

// Board cell value of an empty cell; any other value is a block tile index 0..6.
const Uint8 empty_cell = 255;
const int tile_count = piece_tile_count;
// shown_board value of an empty cell showing the landing shadow of tile t: shadow_cell | t.
const Uint8 shadow_cell = 0x80;

class Game {
public:
    // Rows of cells, row 0 at the top. The falling piece's blocks are stored here too.
    std::vector<std::vector<Uint8>> board;
    // The cell values the cell elements currently show.
    std::vector<std::vector<Uint8>> shown_board;
    ConfigStore* config;  // not owned; every setting is read from it when needed
    Piece current_piece;
    Piece next_piece;
    std::vector<std::string> piece_descriptions;  // only valid descriptions are kept
    SDL_Surface* screen;                          // the display surface, SDL's
    SDL_Surface* block_tiles[tile_count];
    SDL_Surface* level_font;  // digit glyphs 0..9 stacked top to bottom
    SDL_Surface* small_num_font;
    SDL_Surface* game_over_image;
    SDL_Surface* paused_image;
    SDL_Surface* level_box;
    SDL_Surface* points_box;
    SDL_Surface* lines_box;
    SDL_Surface* background_image;
    SDL_Surface* next_piece_box;
    Compositor compositor;
    // Where build_layout put the cell elements (cell (0, 0) first, then row by row from the
    // top) and the "paused" element in compositor.elements, so that a redraw reaches them
    // without searching 200 names. The names stay for anyone who looks the elements up.
    size_t first_cell_element = 0;
    size_t paused_element = 0;
    int level;
    int points;
    Uint32 fall_interval;  // ms between two gravity steps
    int lines;
    int level_lines;  // rows cleared since the last level-up
    bool paused;
    bool collapse_pending;  // rows were emptied and the rows above have not dropped yet
    Uint32 last_fall;       // SDL_GetTicks time the gravity steps are counted from
    // Whether the last play() ended by game over: only such a game has a result worth a place
    // in the scores. A game left or closed before its end has none.
    bool reached_game_over;
    PadReader pad;                     // pad events turned into presses; repeats a held direction
    GameEnd last_end = GameEnd::lost;  // set by play when a game ends
    // The player's options, each off unless its key in the preferences is a number other
    // than 0 ("ghost_piece", "hold_piece", "bag_dealer").
    SDL_Surface* shadow_tiles[tile_count];  // the block tiles at "ghost_alpha"; owned
    SDL_Surface* hold_box;                  // surface of the "hold" element; owned
    Piece held_piece;                       // valid while holding
    bool holding;                           // the hold box holds held_piece
    bool hold_used;                         // the falling piece may not be held again
    std::vector<int> bag;  // descriptions not yet dealt from the current bag, by index
    // The player's session, set by the shell after construction: its sounds, mute key and
    // full screen. Null plays nothing and leaves those keys alone. Not owned.
    Session* session = nullptr;
    // What happened in the current pass of the game loop that may be heard; the rules and the
    // keys add to it, and play() plays one sound for it at the end of the pass.
    SoundEvents pass_sounds;
    // The game's pictures, looked at during play when the preferences ask for live reload.
    FileWatch look_watch;
    // The handling options of the current game, read when it starts (handling.cpp), and what
    // they remember while it runs.
    HandlingOptions handling;
    HandlingState handling_state;
    Kicks kicks;                                   // the kicks of handling.kicks_file; empty: none
    std::string kicks_read_from;                   // the kicks file read last, "" for none
    Piece later_pieces[max_next_count - 1];        // the pieces after next_piece, in dealing order
    SDL_Surface* later_boxes[max_next_count - 1];  // their boxes, "next_piece2" on; owned
    // The tick count the current pass acts at: play sets it each pass, advance_fall_clock to
    // its now. Lock delay and drop protection take their time from it, so a test or a replay
    // drives them by setting it.
    Uint32 pass_time = 0;
    // The way the games are played; the shell sets it before play. Marathon is the classic game.
    GameMode mode;
    PlayClock clock;                          // the time played, stopped while paused
    int pieces_played = 0;                    // this game's pieces, the last one included
    int piece_presses = 0;                    // presses that moved, turned, dropped or held it
    SDL_Surface* time_box = nullptr;          // surface of the "time" element; owned
    SDL_Surface* timed_background = nullptr;  // "timed_background_img", or null; owned
    std::string shown_clock;                  // the digits the time box shows
    // The game's own clock: SDL_GetTicks less tick_offset, so that every game starts at 0 and
    // a replay, which knows only the times since the start, plays on the very same clock.
    Uint32 tick_offset = 0;
    Uint32 time_done = 0;  // the last millisecond the fall clock and the other clocks ran for
    // Recording (the shell switches it on): every input that changed the game, with its time.
    bool recording = false;
    std::vector<ReplayInput> recorded;
    unsigned game_seed = 0;   // the seed that dealt the current game, when recording or replaying
    bool seed_given = false;  // start_game deals from game_seed (a replay) instead of a new seed
    // The game goes on from a replay the player took over: it counts in no table.
    bool taken_over = false;
    // The line shown while a replay is watched ("replay_line_*"); the box is owned, null
    // without a line.
    SDL_Surface* replay_line_box = nullptr;

    // Builds the game from the preferences (which must outlive it) with the window already
    // open. A missing image, a surface that cannot be made or an unusable board size prints
    // a message and ends the program with exit status 1.
    explicit Game(ConfigStore& config);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- construction (game_setup.cpp) ---
    // Makes the pictures, tiles, boxes and layout again from the files the settings name now,
    // keeping the board, the pieces, the counters and the pause, and shows the result. Checks
    // first that every picture loads: when one does not, problem says which setting and file,
    // and nothing changes (false). A picture that loads but cannot be converted still ends the
    // program, as at start.
    bool reload_look(std::string& problem);
    bool look_loads(std::string& problem);
    // During play with live reload on (see watching): when a picture of the game changed,
    // reload_look, or print why not ("prefs.txt:<line>: <key>: ...") and keep the look.
    void reload_if_changed(Uint32 now);
    // Starts watching the files of the game's pictures.
    void watch_look(Uint32 now);
    void free_look();
    void load_images();
    // Loads and converts the image file named by the preferences key; on failure ends the
    // program with a message naming `what`, then a line with the file, the key and SDL's reason.
    SDL_Surface* load_image(const char* key, ImageKind kind, const char* what);
    // An empty display-format surface with alpha, blended when drawn.
    SDL_Surface* make_box(int width, int height, const char* what);
    // Prints "couldn't load \"<what>\", gotta go!" (and detail on a line of its own, if any)
    // and exits with status 1 if surface is null.
    static void check_loaded(SDL_Surface* surface, const char* what,
                             const std::string& detail = std::string());
    // A software surface with model's pixel layout; -1 stands for model's width or height.
    // Null for any other negative size, or when SDL cannot make it.
    static SDL_Surface* create_surface_like(SDL_Surface* model, int width, int height);
    void build_layout();
    // The element of cell (column, row) and the "paused" element, by position; null when the
    // layout has no such element.
    Element* cell_element(int column, int row);
    Element* paused_picture();

    // --- pieces and rules (piece.cpp, game_rules.cpp) ---
    // Ends the program with a message unless the board has cells and fits the screen's
    // 16-bit coordinates. Runs before anything is sized from the block size.
    void check_board_geometry();
    void load_pieces();
    bool has_pieces() const { return !piece_descriptions.empty(); }
    int board_width() const { return board.empty() ? 0 : static_cast<int>(board[0].size()); }
    int board_height() const { return static_cast<int>(board.size()); }
    // Stores the low 8 bits of value in cell (col, row); does nothing outside the board.
    void set_cell(int col, int row, int value);
    // Moves current_piece by (dx, dy) on the board, erasing its old cells first. Makes no test
    // of its own: the caller asks current_piece.can_move(dx, dy) first.
    void move_piece(int dx, int dy);
    // Turns current_piece (left = anticlockwise) and rewrites its cells if the turn fits.
    // False: the turn was refused and nothing changed.
    bool turn_piece(bool left);
    // One tick of the fall clock: closes up emptied rows if a collapse is pending, else moves
    // the piece down one row, else ends the game if its top row is above the well, else lands it.
    GravityResult gravity_step();
    // Lets current_piece fall as far as it can and settles it (blocks above the well are
    // dropped), deals the next piece, empties full rows, counts lines, points and the level
    // (at most one level-up), and redraws the next piece box and the counters. Adds the
    // landing, the cleared rows and a level-up to pass_sounds.
    void land_piece();
    // Whether row is entirely filled (full) or entirely empty (!full), with no block of the
    // falling piece on it. False for a row outside the board.
    bool row_uniform(bool full, int row);
    // Drops every non-empty row by the number of empty rows below it. True if a cell moved
    // (and the pending collapse is then cleared).
    bool collapse_rows();
    // Shortens fall_interval to (fall_interval + 35) / 1.5; never below 70 ms from 500.
    void speed_up();
    // Raises the level to new_level, which must be level + 1: one speed-up, and level_lines
    // keeps only the rows past the last ten.
    void set_level(int new_level);
    // A uniformly drawn integer between lo and hi inclusive (either order), from rand().
    int random_between(int lo, int hi);
    // A piece dealt from a random description (from the bag with "bag_dealer" on), at the
    // spawn column and row -4, on this board. Must not be called without pieces (has_pieces()): it
    // then prints a message and aborts.
    Piece random_piece();
    void build_board();
    // Prepares the next game: starting counters and speed, an empty board with empty cell
    // elements, an empty hold box and a new bag, and every element marked for the next
    // redraw. Keeps the pieces and last_fall.
    void reset();
    // The piece of description `index` at the spawn column and row -4, on this board.
    Piece dealt_piece(int index);
    // The column new pieces start at: the middle of the well, less two.
    Sint16 spawn_column() const { return static_cast<Sint16>(board_width() / 2 - 2); }

    // --- the player's options (game_options.cpp) ---
    // True when the preferences hold key with a number other than 0. A missing key is off
    // and is not added to the preferences (so it is not written into "prefs.txt" either).
    bool option_on(const char* key) const;
    // Makes the shadow tiles and the hold box; ends the program like load_images on failure.
    void load_option_images();
    // Takes a description index out of the bag, refilling it with every description when it
    // is empty: each description is dealt once, in an order drawn with random_between,
    // before any is dealt again. Needs pieces.
    int draw_from_bag();
    // Where the landing shadow is: current_piece moved down as far as it can fall. A piece
    // on no board (no shadow) when "ghost_piece" is off or rows wait to close up.
    Piece landing_shadow();
    // What cell (column, row) is to show: its board value; where that is empty and shadow
    // covers it, shadow_cell | the shadow's tile; else empty_cell.
    Uint8 shown_value(int column, int row, const Piece& shadow) const;
    // The picture of a shown_board value: a block tile, a shadow tile, or null (empty).
    SDL_Surface* cell_surface(Uint8 value) const;
    // The hold key: puts current_piece into the hold box (in the look it was dealt in) and
    // starts the held piece, or the next piece when the box was empty (a new next piece is
    // then dealt), at the spawn position. Once per piece: false, and nothing changes, when the
    // falling piece came out of the box or was already held. The new piece lies above the
    // well like a dealt one, so a full well ends the game at its first gravity step.
    bool hold_current_piece();
    // Empties the hold box and allows a hold again (a new game).
    void empty_hold();
    // At the start of a game: with "hold_piece" on, shows the "hold" element (added at
    // ("hold_x", "hold_y") the first time) with the held piece; otherwise hides it.
    void show_hold_box();
    // Draws held_piece centred into hold_box (nothing when not holding) and marks "hold".
    void draw_hold_box();
    // Draws piece centred (to the half block) into box, a 4 by 4 block surface.
    void draw_piece_into(const Piece& piece, SDL_Surface* box);

    // --- the handling options (handling.cpp) ---
    // At the start of a game: reads the options, the kicks file when it names another one
    // than last time (a file that cannot be read, or its errors, are printed as file:line and
    // the game plays without kicks), and shows or hides the later preview boxes.
    void start_handling();
    // Reads handling.kicks_file into kicks (none when it is "", cannot be read or has errors,
    // which are printed as file:line).
    void load_kicks();
    // Shows the boxes of the later next pieces the preview has (adding their elements the
    // first time) and hides the others.
    void show_later_boxes();
    // Deals the pieces after next_piece that the preview shows (none with one next piece).
    void deal_later_pieces();
    // The next piece taken out of the preview: the preview moves up and one new piece is
    // dealt at its end. With one next piece, exactly next_piece and a new next_piece.
    Piece take_next_piece();
    // A new current piece appeared at pass_time: its lock delay and its resets start afresh.
    void start_new_piece();
    // Whether gravity must wait rather than land the resting current piece: true while the
    // lock delay runs (the first call starts it at pass_time), false once it has run out or
    // with no lock delay.
    bool landing_waits();
    // After a successful move or turn: a resting piece's wait starts again at pass_time, at
    // most lock_resets times per piece; a piece that can fall again rests no more.
    void piece_moved();
    // Whether a resting piece's lock delay has run out by pass_time (and the game runs), so
    // that gravity lands it now.
    bool rest_is_over();
    // The turn of current_piece (which has refused to turn in place) tried at each kick of
    // its turn in order; true with the first that fits, the piece then turned and moved.
    bool turn_with_kicks(bool left);
    // Whether the drop key is ignored at pass_time: drop protection runs since the piece appeared.
    bool drop_protected() const;
    // The down key (or, from_pad, the pad's down direction) with soft drop on: a first press
    // moves one row and starts the hold; its repeats do nothing. Returns like handle_event.
    int soft_drop_press(bool from_pad);
    // A key let go: ends the soft drop if it was the down key.
    void key_released(const std::string& name);
    // Moves the piece one row for every soft_drop_interval the down key has been held by now;
    // true when it moved. Ends the hold once the key or pad direction is let go.
    bool soft_drop_step(Uint32 now);
    // Draws the later pieces of the preview into their boxes and marks them.
    void draw_later_pieces();

    // --- the ways to play and the numbers of a game (game_modes.cpp) ---
    // Makes the time box and loads the optional "timed_background_img" (a missing one prints
    // one message and the timed modes keep the usual background).
    void load_mode_images();
    // At the start of every game, before the first piece is dealt: zeroes the counters, starts
    // the clock at now, seeds the dealer with a daily game's seed, and shows the clock (at
    // "time_x", "time_y", sized "time_w" by "time_h") and the timed background in timed modes,
    // hiding them in the others.
    void begin_mode(Uint32 now);
    // Shows the mode's background and, in a timed mode, its clock at now (adding the "time"
    // element the first time); hides the clock in the others. Also after a reload of the look.
    void show_mode_look(Uint32 now);
    // Whether cleared rows raise the level: not in zen.
    bool level_rises() const;
    // The falling piece cannot enter the well. In zen the well is emptied instead, the next
    // piece comes and false is returned; in every other mode the game is lost: true. The piece
    // counts among the pieces played either way.
    bool top_out();
    // Whether the mode's goal is reached at now: sprint's rows cleared, ultra's time run out.
    bool goal_reached(Uint32 now) const;
    // In a timed mode with a time box: draws the clock at now into it (ultra's time left, the
    // others' time played) if its digits changed, and marks it. True when it drew.
    bool draw_clock(Uint32 now);
    // Once per pass of the game loop: redraws the clock if its digits changed (changed is then
    // set) and ends a game whose goal is reached (running false, last_end finished).
    void follow_mode(Uint32 now, bool& running, bool& changed);
    // Counts a press of the action's key that acted on the piece (moved, turned, dropped or
    // held it). Returns result unchanged.
    int count_press(const std::string& action, int result);
    // The numbers of the game at now.
    GameNumbers numbers(Uint32 now) const;
    // Whether the game that has just ended may take a place in its mode's table: lost or
    // finished, not left or restarted, in a mode with a table; sprint only when finished;
    // never a game taken over from a replay.
    bool has_result() const;

    // --- the game's clock, recording and replaying (game_replay.cpp) ---
    // The game's clock now: SDL_GetTicks() less tick_offset.
    Uint32 game_now() const { return SDL_GetTicks() - tick_offset; }
    // The game time of the next pass of the loop: at least one millisecond after time_done,
    // waiting for it if need be, so that each millisecond has one pass at most.
    Uint32 next_pass_time();
    // Gives every millisecond after time_done and before now its turn of the clocks
    // (time_passes), as a replay does, then sets pass_time to now. While paused nothing runs
    // and time_done jumps to now - 1. Stops early when the game ends (running false).
    void catch_up(Uint32 now, bool& running, bool& changed);
    // The clocks' turn at millisecond now: the due gravity steps and a lock delay run out, the
    // soft drop, and the mode's clock and goal; nothing while paused. Sets time_done to now.
    void time_passes(Uint32 now, bool& running, bool& changed);
    // At the start of a game, with recording on or a replay's seed given: seeds the random
    // generator with game_seed (the replay's, the daily game's, or a new one drawn from it).
    // Otherwise nothing: the dealer goes on as before.
    void choose_seed();
    // With recording on, adds the action at pass_time to recorded.
    void record_input(ReplayAction action);
    // Whether the down key or the pad's down direction holds a soft drop.
    bool soft_drop_held() const {
        return handling_state.soft_drop_key || handling_state.soft_drop_pad;
    }
    // Records a release when a soft drop held before (was_held) is held no more.
    void note_release(bool was_held);
    // Does a recorded action at pass_time, as its key would: returns like handle_event.
    int apply_input(ReplayAction action);
    // The settings that change the rules, with the values this game plays mode with: the
    // well's size, key repeat, the hold box and the bag, the handling options (the kicks file
    // by a hash of its content) and the modes' numbers.
    std::vector<RuleSetting> rule_settings(const GameMode& mode_played) const;
    // The replay of the game that has just ended: its header (rules, piece set, seed, mode,
    // the date today, the counters, how it ended) and the recorded inputs.
    Replay recorded_replay(const std::string& player, const std::string& date) const;
    // Plays replay on this game without a window's events, as fast as it goes: from a fresh
    // start with its seed and mode (whose numbers must be this game's: see replay_refusal), each
    // input at its time and the clocks every millisecond between, to its end. Returns whether
    // the game ended on its own (lost or its goal reached); the counters are then in numbers().
    bool run_replay(const Replay& replay);
    // Starts replay's game afresh: its mode, its seed, the board reset, the first pieces dealt
    // at game time 0.
    void begin_replay(const Replay& replay);
    // Does every input of replay from `next` on whose time is at most `until`, each group of
    // one millisecond as run_replay does: the clocks up to it, its inputs, then its own turn of
    // the clocks. Stops when the game ends (running false) or with the replay's end input.
    void replay_inputs_through(const Replay& replay, size_t& next, Uint32 until, bool& running,
                               bool& changed);
    // What keeps this game from playing replay, "" when nothing does: an unknown mode, another
    // piece set, other rules (naming each setting that differs, here and in the replay).
    std::string replay_refusal(const Replay& replay) const;

    // --- drawing, pause and game over (game_screen.cpp) ---
    // None of these fails: blits are clipped to their target, and a glyph or tile that lies
    // outside its image draws nothing. The box operations only change their box and mark its
    // element; the change shows at the next update_screen.
    //
    // Fills the whole surface with transparent black; a null surface is left alone.
    void clear_surface(SDL_Surface* surface);
    // Draws next_piece centred (to the half block) into next_piece_box and marks "next_piece".
    void draw_next_piece();
    // Draws level (one or two digits) centred into level_box and marks "level". From 100 on
    // only the units digit shows, at the box's centre line.
    void draw_level();
    // draw_number of points into points_box, then marks "points".
    void draw_points();
    // draw_number of lines into lines_box, then marks "lines".
    void draw_lines();
    // Clears box and draws the decimal text of value right-aligned, vertically centred, with
    // the digit glyphs of font (0..9 stacked top to bottom); digits that do not fit are cut
    // off on the left. Marks nothing.
    void draw_number(int value, SDL_Surface* box, SDL_Surface* font);
    // Like draw_number for a text of digits in which a space is a gap of half a glyph.
    void draw_digits(const std::string& text, SDL_Surface* box, SDL_Surface* font);
    // Gives every cell whose board value differs from shown_board its tile (or no surface
    // when empty) and marks it, then repaints everything marked and flips the screen.
    void update_screen();
    // Pauses (pause_game) when not paused, else resumes (resume_game at SDL_GetTicks()); the
    // music pauses and resumes with the game, and the pass's sounds get the pause sound.
    void toggle_pause();
    // Hides every shown block (board itself unchanged), shows the paused image over the well,
    // repaints and flips; then paused is true.
    void pause_game();
    // Takes the paused image away (without drawing) and moves last_fall to now minus the part
    // of the interval that had run before the pause; then paused is false.
    void resume_game(Uint32 now);
    // Switches key repeat off, shows the game-over image centred on the well, discards queued
    // events and waits for an answer: true = end the program (window closed or the wait
    // failed), false = back to the menu (Return or Escape, or Space after 1.5 s).
    bool show_game_over();
    // Draws the game-over image centred on the well, straight onto the screen, and shows it.
    void show_game_over_picture();

    // --- the game loop (game_loop.cpp) ---
    // Plays one game: key repeat from "key_repeat_delay"/"key_repeat_rate", deals the current
    // and the next piece, draws everything, then runs events, the fall clock and redraws until
    // the game ends (then the game-over screen answers) or the window is closed. Returns true
    // when the program must end, false to go back to the menu. Precondition: a fresh or reset
    // Game. Without pieces (!has_pieces()) it deals nothing and returns false at once. With
    // the session's audio, the music loops during the game, each pass plays the sound of its
    // events, and the end of a game (not a closed window) plays the game-over sound.
    // The leave key ends the game without the game-over picture or sound (false). last_end
    // tells how the game ended. A held pad direction repeats like a held key.
    bool play();
    // The loop of play from where the game stands: used by play after dealing, and by a
    // replay taken over. Returns like play.
    bool play_on();

    // --- watching a replay (game_watch.cpp) ---
    // Plays replay on the game screen at its own speed, whose_game and the speed on the
    // replay line. The pause key stops and starts it, the "replay_speed_keys" set the speed,
    // the move-right key steps a stopped replay to its next piece, the leave key goes back.
    // The "takeover_key" hands the game to the player at that moment: it goes on as a new game
    // (taken_over; recorded from the replay's inputs so far when recording is on) and ends
    // like play's. Precondition: replay_refusal(replay) is "". Returns true when the program
    // must end; taken_over then tells whether the player played on.
    bool watch(const Replay& replay);
    // The speed the replay_speed_keys give the key called name: the first key 1, then 2, 4...
    // 0 for a key that is none of them.
    int replay_speed_of(const std::string& name) const;
    // Shows the replay line ("replay_line_text" with %player%, %date%, %mode% and %speed%
    // filled in) at ("replay_line_x", "replay_line_y"), opening its font the first time; hides
    // it when text is "". Without "replay_line_text" nothing; a font that cannot be opened
    // prints one message and shows no line.
    void show_replay_line(const std::string& text);
    // One event while watching (speed, pause, step, leave, takeover): what the viewer asks.
    WatchAsk watch_event(const SDL_Event& event, ReplayWatch& watching);
    // Moves the watched replay on to millisecond until (no further than max_replay_ms): its
    // inputs and the clocks through it, as run_replay plays them.
    void replay_until(ReplayWatch& watching, Uint32 until, bool& changed);
    // Moves a stopped replay on until its next piece appears or its game ends.
    void step_to_next_piece(ReplayWatch& watching, bool& changed);
    // The replay line's text for watching as it stands now.
    std::string replay_line_text(const ReplayWatch& watching) const;
    // Hands the watched game to the player at game time `at`: the clock goes on from it, a held
    // soft drop is let go, and the game counts nowhere.
    void take_over(Uint32 at);
    // Turns one event into an action: 0 nothing to redraw, 1 the board changed, 2 the game is
    // over (the drop key let the piece fall and it could not enter the well), 3 the window is
    // to close, 4 the player left the game with the leave key. Key names are compared with the
    // bindings read from the preferences now; an unbound action (empty name) never triggers.
    // Losing focus or visibility pauses a running game. After the pause key, the session's
    // mute key is tried (see Session::mute_if), in every state. Pad events act through the
    // "_pad" bindings beside the key bindings ("mute_pad" too).
    int handle_event(const SDL_Event& event);
    // Sets key repeat, seeds the dealer (choose_seed), deals both pieces, draws the boxes and
    // the board, and starts the fall clock and the game's clocks at game time now.
    void start_game(Uint32 now);
    // Handles every queued event until the queue is empty or the game has ended, updating
    // play's flags from each result.
    void handle_queued_events(bool& running, bool& quit, bool& changed);
    // While paused: blocks in SDL_WaitEvent until an event comes and handles it like a queued
    // one. A failed wait returns without an event.
    void sleep_until_event(bool& running, bool& quit, bool& changed);
    // Updates play's flags (and reached_game_over) from one handle_event result.
    void take_result(int result, bool& running, bool& quit, bool& changed);
    // Ends a game the player left: key repeat off, the paused picture taken away.
    void leave_game();
    // What the gravity steps of one pass did: the board changed, the game ended (or both).
    struct FallSteps {
        bool changed;
        bool game_over;
    };
    // Runs every gravity step due at tick count `now`, one per fall_interval elapsed since
    // last_fall, advancing last_fall by one interval each; none while paused.
    FallSteps advance_fall_clock(Uint32 now);
    // True when more than fall_interval has passed from last_fall to now (wrap-safe).
    bool fall_is_due(Uint32 now) const;
    // Pauses on a loss of input focus (state 2) or visibility (state 4) if not paused.
    void handle_focus(const SDL_ActiveEvent& active);
    // The bound action of the key called `name`; returns like handle_event.
    int handle_key(const std::string& name);
    // Plays the sound of the events of this pass (nothing without audio) and forgets them.
    void play_pass_sounds();
    // The action bound to the pad input; returns like handle_event.
    int handle_pad(const PadInput& input);
    // The presses of one pad event, each acted on; the strongest result counts.
    int handle_pad_event(const SDL_Event& event);
    // Does the action named by its key setting ("drop_key"); returns like handle_event.
    int perform(const std::string& action, bool from_pad = false);
    // The key bound to action. The bindings that came after the first seven are read without
    // adding them to the preferences, so an older prefs.txt is saved as it was.
    std::string bound_key(const std::string& action);
    // The actions of the falling piece ("turn_left_key" ... "hold_key"), with no test of the
    // pause; returns like handle_event.
    int act_on_piece(const std::string& action, bool from_pad);
    // Moves current_piece by (dx, dy) if it is free to go: 1 if it moved, else 0.
    int move_if_free(int dx, int dy);
    // Turns current_piece if the turn fits: 1 if it turned, else 0.
    int turn_if_free(bool left);
    // The drop key: lets the piece fall as far as it can; then, as gravity would, returns 2
    // (game over, the piece drawn where it stopped and not written into the well) if its top
    // row is above the well, otherwise lands it, restarts the fall clock and returns 1.
    int drop_current_piece();
};

// The actions of the game by their key settings, in the order a key or pad input is matched
// against them: an input bound to two actions does the earlier one.
extern const char* const game_actions[10];

// The replay action of an action's key setting ("drop_key"); end for a key that has none.
ReplayAction replay_input_of(const std::string& action_key);

// What checking a replay found: verified, or why not, in a line for the player.
struct ReplayVerdict {
    bool verified;
    std::string says;  // "verified: ...", "refused: <replay_refusal>" or "does not match: ..."
};
// Plays replay on game (run_replay) unless game refuses it, and compares the counters it
// comes to (points, lines, level, time played) and whether it ended on its own with what the
// header claims. Leaves game reset for the next game.
ReplayVerdict verify_replay(Game& game, const Replay& replay);

// Name of the compositor element of a board cell: "column:row".
std::string cell_name(int column, int row);

// Number of equally likely values one draw of the random generator gives: 0..32767.
const int random_range = 32768;
// The value of random_between(lo, hi) for the draw r (0..32767): lo + (hi - lo + 1) * r / 32768,
// with lo and hi swapped if lo > hi.
int random_between_with(int lo, int hi, int r);

// Whether event answers the game-over picture shown at tick start, read at tick now. If it
// does, *end_program tells the answer: true for a close request, false for Return, Escape or
// (more than 1.5 s after start) Space or any pad button. Any other event is no answer.
bool game_over_answer(const SDL_Event& event, Uint32 start, Uint32 now, bool* end_program);
