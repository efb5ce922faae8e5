// The benchmarks, registered by main in this order.
#pragma once

#include <benchmark/benchmark.h>

// One move of a T piece on a half-filled board, left and right in turn: handle_event with the
// bound key, then update_screen (with its flip) or the same cell pass and redraw without it.
void move_with_flip(benchmark::State& state);
void move_compositor_only(benchmark::State& state);
// The same two with recording on: every move adds its input to the game's recording.
void move_with_flip_recording(benchmark::State& state);
void move_compositor_only_recording(benchmark::State& state);
// The move with the flip with every handling option on ("Modern handling").
void move_modern_handling(benchmark::State& state);
// The same move shown with SDL_UpdateRects of the changed cells instead of the whole-window
// flip: what the flip costs a move, measured against the alternative.
void move_updating_changed_cells(benchmark::State& state);
// The same game screen repainted in full, the naive way to show a change.
void full_repaint(benchmark::State& state);
void full_repaint_with_flip(benchmark::State& state);
// The drop key on a straight piece that completes four rows, with the redraw that follows;
// then the gravity step that closes the rows up, with its redraw.
void landing_four_rows(benchmark::State& state);
void collapse_after_four_rows(benchmark::State& state);
// The restart key in a game under way, up to the new game's first frame flipped: to compare
// with full_repaint_with_flip, one frame's work.
void restart_to_first_frame(benchmark::State& state);

// The main menu: pointer motion that swaps a button's hover image (and redraws), and motion
// that changes nothing (and draws nothing).
void menu_hover_change(benchmark::State& state);
void menu_motion_no_change(benchmark::State& state);

// The rules alone: a long seeded game replayed without a screen; items are pieces.
void rules_replay(benchmark::State& state);

// A ten-minute game, recorded as a player's presses, verified headless as derevarez-check
// --replay does it; counters give the file's size and its inputs.
void replay_verify_ten_minutes(benchmark::State& state);

// A move's changed cells scaled onto a window scale (the argument, 1 to 4) times larger; the
// counters say how many pixels were sent and how many times a move's at scale 1 that is.
void move_scaled(benchmark::State& state);
