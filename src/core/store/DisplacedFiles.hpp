#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileWriter.hpp"
#include "core/store/CopiesAside.hpp"
#include "core/store/OutsideEdit.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Files that a save displaced which were not the one it expected: another program's write that
// landed during the save, which that program may still be writing into. Each stays under its
// temporary name and is looked at whenever the folder changes, its new content merged; it goes
// once its writer has closed it (or, where that cannot be told, once it has not changed for a
// while) and all it holds is merged or kept aside. Main thread only.
class DisplacedFiles {
  public:
    // Merges another program's document based on `base`, likely.
    using Merge = std::function<MergeOutcome(const std::string& bytes, const FileWriter::Bytes& base)>;

    // `dataFile` (beside which the files lie) outlives it, and may change.
    DisplacedFiles(FileSystem& files, const Clock& clock, CopiesAside& copies,
                   const std::filesystem::path& dataFile, Merge merge);

    // A file a save displaced, holding `bytes`: merged now unless `known` (a document the store
    // holds already). `base` is the document the save was based on; `copy` a "corrupt-" copy the
    // save made of an earlier, unfinished state of the file, dropped once it is merged whole.
    void add(std::filesystem::path path, std::string bytes, bool known, FileWriter::Bytes base,
             std::optional<std::filesystem::path> copy);
    // Looks at each file: merges what changed, lets go of those whose writer is done. At quit
    // every one goes: one still being written, or holding what was never merged, is moved aside
    // as a "corrupt-" copy, so that its writer's bytes still land in a file the user can find.
    void look(WaitingPass pass = WaitingPass::ordinary);
    bool empty() const { return files_.empty(); }
    // Whether a look is wanted on a timer: for a file whose writer cannot be told, which is
    // watched for a while after each change. The others wait for the folder to change.
    bool wantsTimer() const;

  private:
    struct File {
        std::filesystem::path path;
        std::string seen;       // at the last look
        FileWriter::Bytes base; // what its next change is compared with
        bool settled = false;   // what it holds is merged, or the store's own
        Date changedAt;
        std::optional<std::filesystem::path> copy;
    };

    void merge(File& file);
    // Whether its writer may still be writing into it.
    bool beingWritten(const File& file, Date now);
    // Removes it when nothing in it would be lost, else (or while a writer still holds it, at
    // quit) moves it aside; false when that cannot be done now.
    bool letGo(File& file, bool writing);

    FileSystem& disk_;
    const Clock& clock_;
    CopiesAside& copies_;
    const std::filesystem::path& dataFile_;
    Merge merge_;
    std::vector<File> files_;
};

} // namespace vesk
