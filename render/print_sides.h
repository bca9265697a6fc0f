#pragma once

// How a slot prints its tags, from the settings file's "PrintOptions", per slot.

// Folded place cards (slot + "Fold"): a cell of two faces, the upright one below (right of) the
// fold and the one above (left of) it turned half a turn, so that both read upright on the card
// standing folded.
enum class Fold { None = 0, TopBottom = 1, LeftRight = 2 };

// Two-sided printing (slot + "Duplex"): the edge the paper turns over between a page and its back.
enum class Duplex { OneSided = 0, LongEdge = 1, ShortEdge = 2 };
