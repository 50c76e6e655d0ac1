#pragma once

// How a reader ended.
enum class ReadOutcome {
    Finished,  // read to the end of the file
    Aborted,   // refused the file; the reader has told the user why
    Failed,    // the file could not be read to its end
};
