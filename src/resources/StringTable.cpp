#include "resources/StringIds.h"
#include "resources/TarvoResources.h"

// The string table: every numbered text the library shows or reads.
void AddTarvoStrings(CResourceModule& module)
{
    static const struct
    {
        UINT nID;
        const char* text;
    } kStrings[] = {
        {IDS_VALUE, "Value"},
        {IDS_FILE_READ_FAILED, "Failed to read file %1 from line %2, check file format."},
        {IDS_INVALID_PARAM_NAME,
         "Please enter a valid name for the parameter (name must begin with a letter and contain \nonly "
         "alphanumeric characters and '_')."},
        {IDS_CREATE_PARAM_FAILED, "Failed to create a new parameter."},
        {IDS_TYPE_CHANGE_FAILED, "Failed to change the parameter type."},
        {IDS_PARAM_NAME_EXISTS, "Parameter name already exists.\nPlease enter a new parameter name."},
        {IDS_INVALID_FIRST_LINE, "Invalid first data line."},
        {IDS_CREATE_DATA_FILE_FAILED, "Failed to create data file %1."},
        {IDS_CREATE_DATA_FILE, "Create a new data file named %1?"},
        {IDS_ADD_COLUMN_FAILED, "Failed to add column to file %1."},
        {IDS_COLUMN_EXISTS, "A column with the same name already exists. Specify a different column name."},
        {IDS_INVALID_COLUMN_NAME,
         "Please enter a valid name for the column (name must begin with a letter and contain \nonly "
         "alphanumeric characters and '_')."},
        {IDS_DISPLAY_NAME_KEY, "%1"},
        {IDS_INVALID_SELECT_NEXT_ROW,
         "Parameter %1 has an invalid \"Select next row\" option. \nMirrel will use the Sequential method."},
        {IDS_INVALID_FUNCTION_NAME, "Please enter a valid Function name"},
        {IDS_INVALID_LIBRARY_NAME, "Please enter a valid Library Name"},
        {IDS_EMPTY_VALUE, "Please enter a non-empty value"},
        {IDS_DATA_FILE_NOT_IN_SCRIPT_DIR,
         "The parameter data file must reside in the same directory\n as your virtual user script."},
        {IDS_INTEGER_RANGE, "Please enter an integer between %1 and %2."},
        {IDS_OVERWRITE_FILE, "This operation will overwrite the file.\nDo you wish to continue?"},
        {IDS_QUERY_RESULT_EMPTY, "The query result is empty and same is the parameter file."},
        {IDS_FILE_TYPE, "File"},
        {IDS_NAME_EXISTS_OTHER_CASE,
         "A parameter with the same name and different letter case already exists.\nPlease enter a new "
         "parameter name."},
        {IDS_MAX_NOT_ABOVE_MIN, "'Max' must be greater then 'Min'"},
        {IDS_BLOCK_SIZE_NOT_POSITIVE, "Block size must be positive"},
        {IDS_TABLE_FILES, "Table Files"},
        {IDS_ALL_FILES, "All Files"},
        {IDS_NEW_PARAM_NAME, "NewParam"},
        {IDS_RETRIEVER_CREATE_FAILED, "Failed to create Data Retriever"},
        {IDS_RETRIEVER_QUERY_FAILED, "Data Retriever failed to create query"},
        {IDS_RETRIEVER_EXECUTE_FAILED, "Data Retriever failed to execute query"},
        {IDS_INVALID_FORMAT, "Invalid format"},
        {IDS_ESCAPE_CHARACTER, "Cannot set a parameter for the escape character '%s'"},
        {IDS_DELETE_DATASET, "Are you sure you want to delete dataset '%s'?"},
        {IDS_RENAME_DATASET, "Rename Dataset"},
        {IDS_CREATE_DATASET, "Create New Dataset"},
        {IDS_REPLACE_DATASET, "The dataset '%s' already exists.\r\nDo you want to replace it?"},
        {IDS_COLUMN_INDEX_TOO_BIG, "Column index must be less or equal to columns number"},
        {IDS_COLUMN_LIST_FORMAT, "Wrong format of list of columns"},
        {IDS_LINES_SKIPPED,
         "You have enough lines for %d iterations.\n%d lines will be skipped and running \nwill continue "
         "according to the requested policy."},
        {IDS_LINES_ENOUGH, "You have enough lines for %d iterations."},
        {IDS_CONFIRM_DELETE_DATA_FILE,
         "The data file may contain values for parameters in currently open or other Vusers. \r\n\r\nAre you "
         "sure you want to permanently delete this file?"},
        {IDS_MAX_VALUE, "Maximum value is 4294967295."},
        {IDS_POSITIVE_INTEGER, "Please enter a positive integer."},
        {IDS_USR_NOT_FOUND, "Unable to locate the USR file."},
        {IDS_SIM_VUSERS_RANGE, "Number of simulated Vusers must be between %d and %d."},
        {IDS_SIM_ITERATIONS_RANGE, "Number of simulated iterations must be between %d and %d."},
        {IDS_SIM_FAILED, "Unable to simulate the parameter.  Make sure that all parameter definitions are valid."},
        {IDS_SIM_ITERATION_COLUMN, "iteration %d"},
        {IDS_SIM_USER_ROW, "user %d"},
        {IDS_SIM_EACH_OCCURRENCE,
         "You cannot simulate a parameter where \"Update Value on\" is \"Each Occurrence\".   Alternatively, "
         "select \"Each Iteration\". "},
        {IDS_SIM_ROWS_TIP, "User receives values from rows %s"},
        {IDS_SIM_USER_ABORTED, "User aborted"},
        {IDS_SIM_ROW_TIP, "User receives value from row %s"},
        {IDS_SIM_NO_VALUES_TIP, "No values were allocated for this user"},
        {IDS_SIM_CAPTION, "Parameter Simulation - %s"},
        {IDS_SIM_SAME_LINE, "You cannot simulate a parameter with a \"Select Next Row\" policy of \"Same Line As\"."},
        {IDS_CANNOT_CREATE_TYPE, "Cannot create \"%s\" type parameter."},
        {IDS_DATASET_NAME_NOT_FILE,
         "A dataset name is a file name: it cannot be empty, \".\" or \"..\", or hold \"/\" or \"\\\"."},
        {IDS_DATASET_NAME_TAKEN, "The dataset '%1' already exists.\r\nPlease enter another name."},
        {IDS_DATA_FILE_KEPT, "The data file %1 was not deleted: other parameters still read it.\n%2"},
        {IDS_PARAM_OF_DATASET, "%1 (dataset %2)"},
        {IDS_DATASET_CREATE_FAILED, "Failed to create the dataset '%1'.\n%2"},
        {IDS_DATASET_RENAME_FAILED, "Failed to rename the dataset '%1' to '%3'.\n%2"},
        {IDS_DATASET_DELETE_FAILED, "Failed to delete the dataset '%1'.\n%2"},
        {IDS_DATASET_SAVE_FAILED, "Failed to save the dataset '%1'.\n%2"},
        {IDS_SAVE_CHANGES_FAILED, "Failed to save the parameters.\n%1"},
        {IDS_FILE_FAILURE, "%1: %2"},
        {IDS_DATA_FILE_DELETE_FAILED, "The data file could not be deleted.\n%1"},
        {IDS_IMPORT_PROGRESS, "Importing records...\n%d records written"},
        {IDS_IMPORT_CANCELLED, "The import was cancelled. The data file was not changed."},
        {IDS_TEXT_EDITOR_FAILED, "No text editor could be started for %1.\nName one as \"TextEditor\" in the "
                                 "[ParamTable] section of %2."},
    };
    for (const auto& s : kStrings)
        module.AddString(s.nID, s.text);
}
