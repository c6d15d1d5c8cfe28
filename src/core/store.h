#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_stamp.h"
#include "core/item_identifier.h"
#include "core/item_record.h"
#include "core/settings.h"
#include "core/xml_document.h"
#include "io/file_io.h"

namespace zarkit {

class DocumentEdit;

// Receives the stored tables and items while the store is loaded; the drawer makes
// one tab and one list per table from them.
class TableLoadSink {
public:
    virtual ~TableLoadSink() = default;

    // A table begins. False stops loading: the tables handed over so far stay.
    virtual bool BeginTable(const std::string& name) = 0;
    // One item of that table, in document order. It carries an identifier (one is
    // made for an item stored without); the sink may complete the rest. The record is
    // filled anew for the next item: keep a copy (or move its strings out), not a
    // reference.
    virtual void InsertItemRecord(ItemRecord& record) = 0;
    // All items of the table are handed over.
    virtual void EndTable() = 0;
};

enum class StoreResult {
    kDone,        // changed and saved
    kUnchanged,   // the document held it already: nothing to save
    kNotFound,    // no table of that name (or no File_Desc, or an empty name): nothing changed
    kNameTaken,   // another table already has the new name: nothing changed
    kSaveFailed,  // the file could not be replaced: the change is taken back, see LastError
};

// The store: info_data.xml, every table, item and setting, held as one document in
// memory and saved whole after every change. Saving never writes in place: the new
// content goes to a temporary file beside the store, which then replaces it in one
// step, so the file is always either the old or the new document; the old one is kept
// as the backup. A change that cannot be saved is taken back, so the document in memory
// always holds what the file holds; LastError says why.
class Store {
public:
    Store(XmlDocumentFactory factory, GuidSource guids);

    // Writes a new store at `path`: declaration, comment, File_Desc with the default
    // settings and no tables. True when the file was written; a file already at `path`
    // is never replaced. `error`, when given, says why not.
    static bool CreateDefaultStore(const XmlDocumentFactory& factory, const std::string& path,
                                   io::FileError* error = nullptr);

    // Reads and parses the store at `path`. On failure the file is untouched, `error`
    // names the file and the reason, and the store stays closed: every operation then
    // fails without writing. A document with a document type declaration is refused.
    // LastError's problem tells a file that could not be read (kInUse, say) from one
    // that was read but is damaged (kNone).
    bool Open(const std::string& path, std::string* error);
    // The same with a document object the caller made, for a caller that must tell the
    // user apart when the XML component itself is missing.
    bool Open(const std::string& path, std::unique_ptr<XmlDocument> document, std::string* error);

    // Hands every table and item to `sink`, in document order. Items stored without an
    // identifier get one, also on their element (saved with the next change). A
    // Table_Node without a label (only a hand edit makes one) is passed over.
    void LoadAllTables(TableLoadSink& sink);

    // Each setting is read on its own: a missing element leaves that setting as it
    // was, except Show_TickCount and Hot_Key, which then take their defaults, and
    // Dock_Screen and Dock_Side, which are then none. A stored delay outside 0 to
    // kMaxShowTickCount is read as the nearer limit.
    void ReadSettings(Settings& settings);
    // Writes them all, creating a missing element at the end of File_Desc, and saves;
    // Dock_Screen and Dock_Side only when they hold a value.
    // True when every setting was set and the file holds them.
    bool WriteSettings(const Settings& settings);

    // Appends a table (the name exactly as given) and saves. kNameTaken when a table
    // of that name (trimmed, any case) exists.
    StoreResult AddTable(std::string_view name);
    // Removes the first table whose label matches (any case) with all its items.
    StoreResult DeleteTable(std::string_view name);
    // Relabels the first table matching `old_name`; refuses a name another table has.
    StoreResult RenameTable(std::string_view old_name, std::string_view new_name);

    // Item operations. AddItem appends to the first table whose label matches `table`
    // (any case); DeleteItem and RenameItem act in every table that matches, which only a
    // hand edit makes more than one. Each returns true when the document changed and was
    // saved.
    bool AddItem(std::string_view table, const ItemRecord& record);
    bool DeleteItem(std::string_view table, const ItemRecord& record);
    bool RenameItem(std::string_view table, const ItemRecord& record);

    // The user's own order. MoveTable puts the first table matching `name` just before the
    // one matching `before`, or after the last table when `before` is empty (settings
    // that follow the tables stay after them). MoveItems puts the items of `identifiers`
    // just before the item `before`, or after the last item, in every table matching
    // `table`; they keep their order among themselves. Either is kNotFound, with nothing
    // changed, when a table or item it names is not there (another writer removed it),
    // and kUnchanged when they stand there already.
    StoreResult MoveTable(std::string_view name, std::string_view before);
    StoreResult MoveItems(std::string_view table, const std::vector<std::string>& identifiers,
                          std::string_view before);

    // Writes the whole document to the store path. The file it replaces is kept as the
    // backup beside it (one generation).
    bool Save();

    // Why the last open or change failed: empty after one that worked.
    const io::FileError& LastError() const { return last_error_; }

    // What the file holds now against what was last read or written.
    enum class DiskState {
        kAsKnown,     // as last read or written (or it cannot be told)
        kReloaded,    // another writer changed it: the document is now theirs
        kUnreadable,  // another writer changed it, and it cannot be read or parsed now
        kGone,
    };
    // Reads the file again when its size or time say another writer changed it; cheap
    // while they do not. Every change checks the same way before it saves (down to the
    // bytes), re-applies itself to another writer's file, and refuses to write over one
    // it cannot read.
    DiskState ReloadIfChanged();
    // Called whenever the document was replaced by another writer's: whoever shows the
    // tables must build them again from it.
    void SetReloadedListener(std::function<void()> listener) {
        reloaded_listener_ = std::move(listener);
    }

    // The backup beside the store at `path`, and where a damaged store is kept when its
    // backup is put in its place.
    static std::string BackupPathOf(const std::string& path);
    static std::string DamagedPathOf(const std::string& path);
    // Removes what saves interrupted by a crash left beside the store: their temporary
    // files. Only while no other process writes the store.
    static void RemoveLeftoverFiles(const std::string& path);
    // Whether the store at `path` has a backup that opens.
    static bool BackupLoads(const XmlDocumentFactory& factory, const std::string& path);
    // Keeps the store at `path` as it is under DamagedPathOf (replacing an older one) and
    // puts a copy of its backup in its place; the backup itself stays. On failure `error`
    // says why, and the store file is either as it was or the backup's copy.
    static bool RestoreBackup(const std::string& path, io::FileError* error);

    // Only after a successful Open.
    XmlDocument& Document() { return *document_; }
    const std::string& Path() const { return path_; }

private:
    // Runs one change on the document and saves it; a change that cannot be saved, or
    // that fails half-way, is taken back whole.
    StoreResult Commit(const std::function<StoreResult(DocumentEdit&)>& change);
    // Compares the file with the stamp, and takes another writer's document when it
    // parses. `thorough`: down to the bytes when size and time look the same.
    DiskState CheckDisk(bool thorough);
    // The checks every store file must pass; `reason` says why not.
    static bool ParseStore(std::string_view bytes, XmlDocument& document, std::string* reason);

    XmlDocumentFactory factory_;
    GuidSource guids_;
    std::unique_ptr<XmlDocument> document_;
    std::string path_;
    FileStamp stamp_;
    io::FileError last_error_;
    std::function<void()> reloaded_listener_;
};

}  // namespace zarkit
