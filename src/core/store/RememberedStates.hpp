#pragma once

#include "core/runtime/FileWriter.hpp"

#include <deque>
#include <vector>

namespace vesk {

// The documents last on the disk that decode, which another program's edit may be based on,
// and the one another program was last seen reading. A few are kept, in no more bytes than a
// few large files hold; the one last read stays however many saves follow, since an editor
// left open writes back what it read hours ago.
class RememberedStates {
  public:
    // One more document on the disk, the newest.
    void remember(FileWriter::Bytes document);
    // Another program read this document; one not remembered is no base and is passed over.
    void noteRead(const FileWriter::Bytes& document);

    // What an edit may be based on, the first winning among equals: the document last seen
    // read, or, when no read was seen, every one remembered, the older first, so that a change
    // the app made is never read as the edit's where the edit fits both.
    std::vector<FileWriter::Bytes> bases() const;
    FileWriter::Bytes newest() const { return states_.empty() ? nullptr : states_.back(); }

  private:
    std::deque<FileWriter::Bytes> states_; // oldest first
    FileWriter::Bytes lastRead_;
};

} // namespace vesk
