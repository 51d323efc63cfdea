// The sample scores shipped in resources/samples, entered note by note.
#pragma once

#include "model/Score.h"

namespace ks::samples {

// Minuet in G (Christian Petzold, from the Notebook for Anna Magdalena Bach): two hands
// in 3/4 with beamed runs, a held note over a moving voice (ties), rests, dynamics and
// wedges, fingering, staccato and accents, slurs, and a repeat with first and second
// endings. Laid out and ready to save.
CScore minuetInG();

// "Twinkle, Twinkle, Little Star" (traditional melody, words by Jane Taylor): melody
// with three verses of words over an accompaniment in broken chords, a repeat with
// first and second endings, and a change of key from C to G major.
CScore twinkleTwinkle();

}  // namespace ks::samples
