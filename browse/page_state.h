// Which entries the browse page shows and which line the user chose. The state
// outlives the browse window; every move on it is a free function here, so the
// window only applies the result (refill the list, move the focus).
#pragma once
#include <cstdint>

struct PageState {
    int32_t PageTop = 0;             // entries before the first line shown
    int32_t PageSize = 0;            // entries per page: 24, 30 or 40
    int32_t LastPageTop = 0;         // the largest PageTop
    int32_t PageLines = 0;           // lines on the page
    int32_t SelectedLine = 0;        // chosen line counted from 1; 0 = none
    int32_t CurrentEntryNumber = 0;  // entry being viewed or deleted
    bool SearchArmed = false;        // the Search command runs only while set
    int32_t SearchPosition = 0;      // next entry the station search examines
    bool EntryEdited = false;        // the view-and-edit window changed a field
};

// The program's one browse page.
extern PageState BrowsePage;

// 24 lines a page; 30 above a scale of 1.1; 40 above 1.3.
int32_t PageSizeForScale(float scale);
// The page as the window opens: first page, no line chosen.
void OpenPage(PageState& page, int32_t entryCount, float scale);
// Sets LastPageTop and PageLines for `entryCount` entries and keeps PageTop and
// SelectedLine inside the page.
void FitPageToCount(PageState& page, int32_t entryCount);

// The page keys. Each returns false when the page is already at its limit and
// nothing changed; otherwise the page must be shown again.
bool PageUp(PageState& page);    // back by PageSize - 1, clears the chosen line
bool PageDown(PageState& page);  // on by PageSize - 1, clears the chosen line
bool PageHome(PageState& page);  // to the first page, keeps the chosen line
bool PageEnd(PageState& page);   // to the last page, keeps the chosen line

// The list reported its selection: `listIndex` from 0, or -1 for none.
void SelectListLine(PageState& page, int listIndex);
// The entry number on the chosen line, 0 when no line is chosen.
int32_t ChosenEntry(const PageState& page);

// Brings search match `entry` onto the page and chooses its line. Returns true
// when the page moved and must be shown again, false when it was already shown.
bool PlaceMatchOnPage(PageState& page, int32_t entry);

// After entry `removed` left the log and the count became `entryCount`: the
// last page stays full, no line is chosen, and a search in progress resumes at
// the entry that moved into the gap.
void AdjustPageAfterRemoval(PageState& page, int32_t removed, int32_t entryCount);
