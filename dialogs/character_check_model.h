#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lists/character_check.h"
#include "store/card_operations.h"

// "文字チェック": every character of the cards' texts that may print wrong, with its code point and
// the usual substitutes, and replacing one on its card or on every card. Texts are UTF-8.
// The faces the cards of a record file set their items in (the slot's "FontFace" keys, the
// default face where none is stored), asked through faceHas(stored face name, character).
character_check::OwnFaceCheck CardFaces(const std::string& recordFsPath,
                                        std::function<bool(const std::string&, char32_t)> faceHas);

class CharacterCheckModel {
public:
    struct Row {
        std::string card;       // "0003"
        std::string item;
        std::string character;  // shown large
        std::string code;       // "U+20BB7"
        std::string kinds;      // in words
        std::vector<std::string> substitutes;
    };

    CharacterCheckModel(cards::RecordCards cards, character_check::GlyphCheck drawable, const UnihanVariants& variants,
                        character_check::OwnFaceCheck ownFace = {});

    // Fields exchanged with the controls.
    std::vector<Row> rows;
    int selection = -1;
    std::string substitute;  // what replaces the selected character
    bool replaceEnabled = false;
    std::string summary;

    void OnOpen();
    void OnSelect(int row);
    void OnSubstituteEdited();
    // 置き換える (this card) or すべて置き換える (every card with the character in that item), as one
    // step of undo; the rows are worked out again. False when nothing was written.
    bool OnReplace(bool everyCard);
    // Whether some character would print as nothing or a box: the print and PDF commands ask first.
    bool AnyMissingFace() const;

private:
    void Update();

    cards::RecordCards cards_;
    character_check::GlyphCheck drawable_;
    character_check::OwnFaceCheck ownFace_;
    const UnihanVariants& variants_;
    std::vector<character_check::Finding> findings_;
};
