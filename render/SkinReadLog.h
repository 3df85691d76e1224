#pragma once
// Which skin files a drawing asks for, told to whoever listens. The skin check listens while a
// window builds its tables and draws itself once, and so learns every bitmap the window reads,
// what it is for and where it lands from the windows' own tables and drawing code.

#include "SkinPainter.h"
#include "Types.h"

namespace morvish {

class SkinReadObserver {
  public:
    virtual ~SkinReadObserver() = default;
    // A window put the element into its table: a piece it may draw in some state.
    virtual void Listed(const Element& element) = 0;
    // A drawing looked for the element's file, whether or not it exists.
    virtual void Sought(const Element& element) = 0;
    // A copy of the element's file went to `placed` on a canvas of the given size.
    virtual void Placed(const Element& element, const RECT& placed, int canvasWidth,
                        int canvasHeight) = 0;
    // A drawing met an error (a file that cannot be read). True lets it go on as if the file
    // were missing, so that one bad file does not hide what the rest of the drawing reads.
    virtual bool GoOnAfter(const Error& error) = 0;
};

// Makes `observer` (or nobody, for null) the listener of this thread and returns the one before.
SkinReadObserver* ObserveSkinReads(SkinReadObserver* observer);

// The listener of this thread, or null.
SkinReadObserver* SkinReadListener();

}  // namespace morvish
