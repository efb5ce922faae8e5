#include <gtest/gtest.h>

#include "audio/sound_event.h"

namespace {

SoundEvents events(std::initializer_list<SoundEvent> list) {
    SoundEvents set;
    for (SoundEvent event : list) {
        set.add(event);
    }
    return set;
}

const SoundEvents every_sound{(1u << sound_event_count) - 1};

}  // namespace

TEST(SoundChoice, OnePassPlaysTheMostTellingEventThatHasASound) {
    using E = SoundEvent;
    struct Row {
        SoundEvents happened;
        SoundEvents available;
        SoundEvent heard;
    };
    const Row rows[] = {
        {events({}), every_sound, E::none},
        // The drop key lands the piece: one thud, not two.
        {events({E::drop, E::land}), every_sound, E::drop},
        {events({E::drop, E::land}), events({E::land}), E::land},
        {events({E::drop, E::land, E::clear4, E::level}), every_sound, E::level},
        // A skin without a level sound still hears the four rows.
        {events({E::land, E::clear4, E::level}), events({E::land, E::clear4}), E::clear4},
        {events({E::land, E::game_over}), every_sound, E::game_over},
        {events({E::move, E::turn, E::pause}), every_sound, E::pause},
        {events({E::menu_hover, E::menu_click}), every_sound, E::menu_click},
        {events({E::move}), events({E::turn}), E::none},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(choose_sound(row.happened, row.available), row.heard)
            << "events " << row.happened.bits << ", sounds " << row.available.bits;
    }
}
