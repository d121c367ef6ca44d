#pragma once

#include "core/model/Snapshot.hpp"
#include "core/runtime/FileWriter.hpp"
#include "core/runtime/Subscription.hpp"
#include "core/store/CopiesAside.hpp"
#include "core/store/DataFileReading.hpp"
#include "core/store/DisplacedFiles.hpp"
#include "core/store/OutsideEdit.hpp"
#include "core/store/RememberedStates.hpp"
#include "core/store/SaveOccasion.hpp"
#include "core/store/StoreEnvironment.hpp"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The store's data file: read at start-up, written on the writer's thread shortly after each
// change, watched for other programs' edits, which it hands to the store to merge. Another
// program's content in the file that does not decode is never written over without a copy
// beside it, and a merge never removes what the store held without one of the document as it
// stood. It knows the document as bytes only: the store encodes and merges. Main thread only.
class DataFile {
  public:
    struct Content {
        // The whole document as the store holds it now.
        std::function<std::string()> encode;
        // Merges another program's document, based on one of the documents last on the disk.
        MergeEdit merge;
        // The document of a file that could not be read at start-up, read now: what the store
        // made meanwhile is added to it.
        std::function<void(Snapshot document)> takeUp;
    };

    DataFile(std::filesystem::path path, StoreEnvironment environment, Content content);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // The document in the file; nothing when there is none, it cannot be read or it does not
    // decode. A reading made `ahead` of the same bytes spares the decode.
    std::optional<Snapshot> load(std::optional<DataFileReading> ahead = std::nullopt);
    // Looks for other programs' edits from now on, whenever the folder changes.
    void watch();

    const std::filesystem::path& path() const { return path_; }
    // The exact bytes last read from or written to the file (the newest save still being
    // written counts as written), to tell own writes from outside edits.
    std::optional<std::string> lastOnDisk() const;

    // The file is written on the writer's thread; at quit, before saveNow returns. A write that
    // fails stays due and is tried again, sooner at first, then every 30 s; each new reason is
    // written to standard error once, and so is the success that follows. A file that is there
    // and cannot be read (permissions, a folder in its place, far too large) is never written
    // over: a change then fails to save in the same way, until the file can be read again.
    void saveNow(SaveOccasion occasion = SaveOccasion::normal);
    void scheduleSave();
    // A change the last write could not put on the disk (after a quit: one that is lost).
    bool hasUnwrittenChanges() const { return saveFailure_.has_value(); }

  private:
    // What the file held at the last look, read or write: none; empty; bytes a save may replace
    // (the store's own, a document that decodes, or content already copied aside); another
    // program's content that does not decode and is owed a copy; there and not readable; an
    // edit whose merge had to wait. Neither of the last two is written over.
    enum class FileCondition { absent, emptied, known, undecodable, unreadable, unmerged };

    // Hands another program's document to the store, `preferred` (when known) the likeliest
    // base, then the documents last on the disk; says what it removed and where it was kept.
    MergeOutcome merge(const std::string& bytes, const FileWriter::Bytes& preferred = nullptr);
    // Another program read the file: the document in it, unless a write is on its way, when
    // it may be either.
    void noteRead();
    // Reads the file, a read no other program made.
    FileRead readOwn();

    void scheduleExternalCheck();
    void checkForOutsideEdit();
    // Reads the file and merges it when its bytes are none the store knows.
    FileCondition mergeOutsideEdit();
    // Hands the whole document to the writer, unless the file (`found` by the save's look at it)
    // holds it already; `keepReplaced` when the file it replaces may be another program's still
    // being written, of which `copy` holds an earlier state.
    void handOver(FileCondition found, bool keepReplaced, std::optional<std::filesystem::path> copy);
    // Takes in the outcomes of finished writes.
    void settleWrites();
    void noteWritten();
    void noteFailure(const std::string& reason);
    // Looks at the writes in flight, and at the displaced files that want it, while there are any.
    void followUp();
    // Whether the save may replace a file holding another program's undecodable bytes: after
    // giving that program time to finish its write, and with a copy (`copy`) of what is still
    // undecodable, or one that waits.
    bool mayReplaceUndecodableFile(SaveOccasion occasion, std::optional<std::filesystem::path>& copy);
    bool waitForWriterAtQuit();
    // The "corrupt-" copy beside the file, or one that waits for the bounds of copies.
    CopiesAside::Kept keepCorruptCopy(const std::string& bytes);
    // The room a save takes on the disk, about: the last document there.
    std::uint64_t saveBytes() const { return states_.newest() ? states_.newest()->size() : 0; }
    // Another program's content that does not decode, found where the store's document was
    // expected at start-up: copied aside, and said where.
    void setAsideUndecodable();
    // Takes up the file that could not be read at start-up, read now.
    FileCondition takeUpUnreadFile(std::string bytes);

    // A link re-pointed since start-up is followed: saves go to the file it points to now, and
    // the watch goes with them.
    void followLink();

    StoreEnvironment env_;
    std::filesystem::path path_;
    // The file `path_` names, every link followed: what is read, replaced and watched, and beside
    // which the copies go. A link stays a link.
    std::filesystem::path target_;
    Content content_;
    CopiesAside copies_;
    // The bytes last read from the file, or written to it with success.
    FileWriter::Bytes onDisk_;
    FileCondition condition_ = FileCondition::absent;
    // Only while the file is `unreadable`: why, and whether it has been so since start-up, when
    // nothing of it is in the store yet and it is taken up once it can be read.
    struct Unreadable {
        std::string reason;
        bool sinceStart = false;
    } unreadable_;
    // Another program's content that does not decode and exists nowhere else: a save copies it
    // aside before it replaces it. The debt outlives a look at which the file is unreadable, gone
    // or empty, as the same content may come back; it ends with the copy, with a save that lands,
    // or with other content from another program.
    FileWriter::Bytes owedCopy_;
    // The last documents read or written that decode: what another program's edit is compared
    // with, to tell what it changed from what the app changed since.
    RememberedStates states_;

    // A save handed to the writer: its bytes, the file it expects to replace and the document
    // that file's content is compared with.
    struct Writing {
        FileWriter::Bytes bytes;
        FileWriter::Bytes base;
        FileWriter::Bytes mergeBase;
        std::optional<std::filesystem::path> copy;
    };
    // Saves handed to the writer and not finished, oldest first: the file may hold any of them.
    std::deque<Writing> writing_;

    DisplacedFiles displaced_;

    // Since when a save has been waiting for another program to finish writing the file, and
    // when that file was last seen changing.
    std::optional<Date> waitingForWriterSince_;
    std::optional<Date> writerChangedAt_;
    // The reason the last write failed, written to standard error; nothing once one succeeds.
    std::optional<std::string> saveFailure_;
    double retryDelaySeconds_ = 1;
    // A change asked for and not yet handed to the writer.
    bool unsaved_ = false;
    bool watching_ = false;
    // Last, so that nothing scheduled outlives the rest of the file.
    Subscription pendingSave_;
    Subscription externalCheck_;
    Subscription writerRetry_;
    Subscription saveRetry_;
    Subscription followUp_;
};

} // namespace vesk
