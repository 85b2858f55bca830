#pragma once

// The home screen's rules as pure functions: unit captions, the automatic choice of a unit, the
// id strings of a unit's learned or unlearned questions, and which links may be opened.

#include "home/homecommands.h"

#include <QList>
#include <QString>

namespace home {

// Most units the unit panel offers (buttons 50..69).
inline constexpr int kMaxUnitButtons = 20;

// A unit's caption on its button: (unit + 1) & "." & name, cut or filled with spaces to exactly
// 25 display columns of code page 936 (a one-byte character takes one column, a two-byte one
// two); a two-byte character never straddles the end, a space takes its place.
QString unitCaption(int unit, const QString& name);
// The display columns of a text in code page 936.
int gbkColumns(const QString& text);

struct UnitTotals {
    int total = 0; // questions of the unit
    int unlearned = 0;
};
// The unit the unit tab chooses by itself: the button of the first unit that is empty or has
// more than a fifth of its questions unlearned, else the last unit's; the all-units button when
// there is no unit. Never an index past the last unit button.
int autoChosenUnitButton(const QList<UnitTotals>& units);

// The ids "uuqq" of the questions of unit `unit` whose progress character is `flag` ("T"
// learned, "F" unlearned), in order, written one after the other.
QString unitIdString(int unit, const QString& progressLine, QChar flag);

// The 4-digit id text of question `question` of unit `unit`.
QString questionIdText(int unit, int question);

// Buttons 0 to 48 show faces of their own, picture files "l200" & two digits of the index; the
// others are given theirs by their panels.
inline constexpr int kLastFacedButton = 48;
QString buttonFaceName(int button);

// Whether a link from the product information or the advert may be handed to the shell: only
// http and https addresses with a host.
bool isOpenableLink(const QString& link);

// The links of the footer and start-page labels: which product-information entry (1 website,
// 2 second website, 3 chat, 4 second chat) a label opens; 0 for labels that open no link.
int linkEntryOfLabel(int labelIndex);
// The built-in link of an entry (1..4), used when the product information says so.
QString builtInLink(int entry);

} // namespace home
