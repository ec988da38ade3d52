#pragma once

// Shows the wait cursor for the lifetime of the object, so that a long command
// restores the normal cursor on every way out. Nested guards are fine.
class HWaitCursor
{
public:
    HWaitCursor();
    ~HWaitCursor();
    HWaitCursor(const HWaitCursor&) = delete;
    HWaitCursor& operator=(const HWaitCursor&) = delete;
};
