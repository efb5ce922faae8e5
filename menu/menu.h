// One menu screen, built entirely from a menu file: a background, buttons that show images or
// rendered texts, and the word each button answers when it is clicked.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <string>
#include <vector>

#include "compositor/compositor.h"
#include "config/config_store.h"
#include "input/pad_reader.h"
#include "menu/menu_file.h"
#include "session/session.h"
#include "watch/file_watch.h"

class Menu {
public:
    // The menu file. Read again while the menu runs (button words, hover names).
    ConfigStore config;
    // Element 0 is "background"; element i is button i ("button" + i), also when it shows
    // nothing, so element numbers and button numbers always agree.
    Compositor compositor;
    // Entry i - 1 is the hit rectangle of button i, in screen coordinates.
    std::vector<SDL_Rect> button_rects;
    // Images and rendered texts share this one name space. A null entry means the name has no
    // surface. The menu owns every surface here.
    std::map<std::string, SDL_Surface*> surfaces;
    // The display surface, fetched by run(); not owned.
    SDL_Surface* screen = nullptr;
    // The background image in the display format. Owned.
    SDL_Surface* background_surface = nullptr;
    // The player's preferences and sounds, set by the caller after construction; not owned.
    // With one, its full-screen and mute keys work in this menu too; null plays nothing and
    // leaves those keys alone.
    Session* session = nullptr;
    // Set by update_hover when it gave some button its hover surface.
    bool lit_a_button = false;
    // The button the keyboard or a pad has lit (its number), 0 for none. Kept between runs, so
    // a menu run again shows the same button lit; the mouse takes it over when it moves.
    int highlighted = 0;
    // The pad's hats and axes as the last events left them.
    PadReader pad;
    // The arrow key held down (SDLK_UNKNOWN for none) and the tick count of its next repeat.
    SDLKey held_key = SDLK_UNKNOWN;
    Uint32 next_key_repeat = 0;
    // The menu file the menu was built from, and its files while run() watches them (when
    // the session's preferences ask for live reload).
    std::string source_file;
    FileWatch watch;

    // Loads the menu file file_name and everything it names. substitutions may be null; when
    // given, %key% in a text shows that key's value there (a missing key is added to it, empty).
    // Needs an open window (images are converted to its format). Ends the program with status
    // 1, after printing why, when the menu file or the background cannot be loaded or
    // converted, or SDL_ttf cannot be started. A missing image, font or text only prints a
    // message (or nothing) and leaves that name without a surface. A count ("num_surfs",
    // "num_fonts", "num_tsurfs", "num_buttons") above 1000 is read as 1000, with a message.
    // Draws nothing.
    Menu(const char* file_name, ConfigStore* substitutions);

    // Frees every surface and font the menu loaded. SDL_ttf stays initialised.
    ~Menu();

    // The menu owns its surfaces and fonts; a copy would free them twice.
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Repaints the whole menu on the display surface and waits for the player. Returns the
    // "_return" word of the first button, in number order, that has a word and strictly
    // contains the click of any mouse button; "quit" when the window is closed; "" when waiting
    // for an event fails. Pointer motion swaps hover images and redraws only what changed.
    // With the session's audio, a button lighting up and a chosen button play their sounds, and
    // the mute key toggles all sound.
    // Without a display surface nothing is drawn, but events are still handled.
    // When the menu file holds "navigation: true", the arrow keys and pad directions move a
    // highlight between the buttons that have a word (to the nearest one in that direction,
    // see next_button), drawn as the pointer would light it at the button's centre; Return,
    // Space and pad button 0 choose the lit button (the first press with none lit lights the
    // first button that has a word); Escape and pad button 1 answer "back" when a button has
    // that word. Without that key, keys and pads do nothing here. With a session, a held
    // arrow key or pad direction moves the highlight again after "key_repeat_delay" ms and then
    // every "key_repeat_rate" ms, as in the game (no repeat when the delay is 0 or missing), and
    // the pad inputs bound to "mute_key" and "fullscreen_key" ("mute_pad", "fullscreen_pad")
    // work as those keys do.
    // With the session's preferences asking for live reload (see watching), run() looks at the
    // menu's files twice a second and answers "reload" when one changed and the menu can be
    // built again; when it cannot (see menu_file_usable), it prints why and the menu runs on as
    // it is.
    std::string run();

    // Repaints the whole menu on the display surface, with the button under the pointer lit,
    // and shows it; run() begins with this. Without a display surface nothing is drawn.
    void show();

    // The button that a move by (dx, dy) from the lit one reaches: of the buttons with a word
    // whose centre lies ahead in that direction, the one with the least distance ahead plus
    // twice the distance aside (the lowest number on a tie). Without a lit button, the first
    // button with a word. 0 when there is none; the lit one when none lies ahead.
    int next_button(int dx, int dy);

    // Shows the text or picture named `name` above every button, centred on "prompt_x" with its
    // top at "prompt_y" of the menu file, in place of what an earlier call showed there; drawn
    // at once when the menu has run, else at the start of the next run. False, with nothing
    // changed, when no surface has that name.
    bool show_prompt(const std::string& name);

    // Gives every button that has a hover surface the surface wanted for a pointer at (x, y):
    // its "_surf_over" surface inside its rectangle (edges included), its "_surf" surface (may
    // be null) outside. Marks each changed element dirty. True when any element changed;
    // lit_a_button tells whether some button was given its hover surface.
    bool update_hover(int x, int y);

    // Whether the menu file holds "navigation: true": keys and pads then work the menu.
    bool navigable();

private:
    void load_background(const std::string& path);
    void load_images(const MenuFile& file);
    void load_image(const std::string& name, const std::string& path, bool alpha);
    // fonts: by name, a null entry for a font that could not be opened.
    void load_texts(const MenuFile& file, ConfigStore* substitutions,
                    std::map<std::string, TTF_Font*>& fonts);
    void load_buttons(const MenuFile& file);
    void redraw();
    void play_sound(SoundEvent event);
    std::string chosen_word(int x, int y);
    std::string word_of(int button);
    std::string handle_key(SDLKey key);
    std::string handle_pad(const SDL_Event& event);
    bool pad_switch(const PadInput& input);
    bool files_changed();
    void switch_fullscreen();
    void start_repeats();
    bool repeating();
    void repeat_held();
    void hold_key(SDLKey key);
    std::string answer(int command);
    void light(int button);
};

// The hover test: true when rect.x <= x <= rect.x + rect.w and rect.y <= y <= rect.y + rect.h.
// All four edges count.
bool point_in_rect(int x, int y, const SDL_Rect& rect);

// text with every %key% pair replaced by get_string(key) of substitutions, which adds a missing
// key with an empty value. An unpaired percent sign is dropped and the rest copied as it is;
// "%%" looks up the empty key. With null substitutions the text is returned unchanged.
std::string substitute_keys(const std::string& text, ConfigStore* substitutions);

// "RRGGBB" in hexadecimal, either case, no prefix; characters after the sixth are ignored. A
// text shorter than six characters is black. The fourth byte is always 0.
SDL_Color parse_color(const std::string& text);

// Starts SDL_ttf unless it already runs, and registers TTF_Quit to run at exit. Ends the program
// with status 1, after printing SDL's reason, when SDL_ttf cannot be started.
void init_text_rendering();
