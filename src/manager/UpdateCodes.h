#pragma once

// What a broadcast through CTarvoMgr::UpdateAllUIExt tells every registered
// window, with the text that travels along. Receivers of the codes marked
// "answer used" may refuse by answering 0.
enum
{
    UPD_RELOAD = 0,               // null or a deleted name: rebuild from the engine
    UPD_FILE_SELECTED = 1,        // null: show the active parameter file again (for hosts)
    UPD_ACTIVE_CHANGED = 2,       // the active name or "": select it, rebuild its properties
    UPD_BEFORE_ACTIVE_CHANGE = 3, // the name about to become active or "": validate; answer used
    UPD_TYPE_CHANGED = 4,         // the new type key: new icon, new tabs
    UPD_BEFORE_TYPE_CHANGE = 5,   // the new type key: validate and write back; answer used
    UPD_RENAMED = 6,              // new name, NUL, old name
    UPD_ADDED = 7,                // the new name
    UPD_APPLY_DEFAULTS = 8,       // null; delivered only to a temporary properties sheet
    UPD_DELETED = 9,              // name, NUL, its "OriginalValue" in display form
    UPD_COMMIT = 10,              // null: validate and write back; answer used
    UPD_QUERY_CANCEL = 11,        // null; answer used
    UPD_DATASET_CHANGED = 12      // the dataset name: refill the dataset list
};
