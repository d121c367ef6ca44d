#pragma once

#include "core/runtime/FileWriter.hpp"

#include <cstddef>
#include <deque>
#include <vector>

namespace vesk {

// The documents last on the disk that decode, which another program's edit may be based on,
// and which of them another program was seen reading. A few are kept, in no more bytes than a
// few large files hold; those last read stay however many saves follow, since an editor left
// open writes back what it read hours ago.
class RememberedStates {
  public:
    // One more document on the disk, the newest.
    void remember(FileWriter::Bytes document);
    // Another program read this document (one remembered, else nothing happens).
    void noteRead(const FileWriter::Bytes& document);

    // What an edit may be based on, the likeliest first among equals: the documents seen read,
    // or, when no read was seen, every one remembered; the older first, so that a change the
    // app made is never read as the edit's where the edit fits both.
    std::vector<FileWriter::Bytes> bases() const;
    bool readSeen() const;
    FileWriter::Bytes newest() const { return states_.empty() ? nullptr : states_.back().bytes; }

  private:
    struct State {
        FileWriter::Bytes bytes;
        // The order of the last read seen; 0 when none was.
        std::size_t readAt = 0;
    };
    void forgetOld();

    std::deque<State> states_; // oldest first
    std::size_t reads_ = 0;
};

} // namespace vesk
