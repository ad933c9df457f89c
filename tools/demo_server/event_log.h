// The page events the game page's script reports (mouse buttons, double
// clicks, context menus, Enter and Escape), kept in the order they
// happened, so that a test can see what reached the page.
#pragma once

#include <string>

namespace vostra::demo {

struct PageEvent {
    std::string type;    // "mousedown", "keydown", ...
    std::string button;  // event.button; "" when the event has none
    std::string key;     // event.key; "" when the event has none
    // Which page load reported it and its place among that page's reports;
    // "" and -1 when the report does not say. Reports of one page that
    // arrive out of order (each travels on its own request) are put back
    // in order.
    std::string page;
    long seq = -1;
};

// Adds a report; safe from any of the server's threads. Fields that are
// not a single short word are shown as "?"; the oldest reports are dropped
// when there are too many.
void RecordPageEvent(PageEvent event);

// One line "<type> <button> <key>" per report, "-" for a missing field;
// `clear` empties the list after reading it.
std::string PageEventsText(bool clear);

}  // namespace vostra::demo
