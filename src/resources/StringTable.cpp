#include "resources/TarvoResources.h"

// The string table: every numbered text the library shows or reads.
void AddTarvoStrings(CResourceModule& module)
{
    static const struct
    {
        UINT nID;
        const char* text;
    } kStrings[] = {
        {10207, "Value"},
        {10208, "Failed to read file %1 from line %2, check file format."},
        {10211, "Please enter a valid name for the parameter (name must begin with a letter and contain \nonly "
                "alphanumeric characters and '_')."},
        {10212, "Failed to create a new parameter."},
        {10216, "Failed to change the parameter type."},
        {10217, "Parameter name already exists.\nPlease enter a new parameter name."},
        {10220, "Invalid first data line."},
        {10221, "Failed to create data file %1."},
        {10222, "Create a new data file named %1?"},
        {10224, "Failed to add column to file %1."},
        {10225, "A column with the same name already exists. Specify a different column name."},
        {10226, "Please enter a valid name for the column (name must begin with a letter and contain \nonly "
                "alphanumeric characters and '_')."},
        {10229, "%1"},
        {10230, "Parameter %1 has an invalid \"Select next row\" option. \nMirrel will use the Sequential method."},
        {10231, "Please enter a valid Function name"},
        {10232, "Please enter a valid Library Name"},
        {10239, "Please enter a non-empty value"},
        {10240, "The parameter data file must reside in the same directory\n as your virtual user script."},
        {10242, "Please enter an integer between %1 and %2."},
        {10243, "This operation will overwrite the file.\nDo you wish to continue?"},
        {10244, "The query result is empty and same is the parameter file."},
        {10245, "File"},
        {10257, "A parameter with the same name and different letter case already exists.\nPlease enter a new "
                "parameter name."},
        {10259, "'Max' must be greater then 'Min'"},
        {10260, "Block size must be positive"},
        {10261, "Table Files"},
        {10262, "All Files"},
        {10263, "NewParam"},
        {10264, "Failed to create Data Retriever"},
        {10265, "Data Retriever failed to create query"},
        {10266, "Data Retriever failed to execute query"},
        {10267, "Invalid format"},
        {10268, "Cannot set a parameter for the escape character '%s'"},
        {10270, "Are you sure you want to delete dataset '%s'?"},
        {10271, "Rename Dataset"},
        {10272, "Create New Dataset"},
        {10273, "The dataset '%s' already exists.\r\nDo you want to replace it?"},
        {10275, "Column index must be less or equal to columns number"},
        {10276, "Wrong format of list of columns"},
        {10278, "You have enough lines for %d iterations.\n%d lines will be skipped and running \nwill continue "
                "according to the requested policy."},
        {10279, "You have enough lines for %d iterations."},
        {10280, "The data file may contain values for parameters in currently open or other Vusers. \r\n\r\nAre you "
                "sure you want to permanently delete this file?"},
        {10281, "Maximum value is 4294967295."},
        {10282, "Please enter a positive integer."},
        {10283, "Unable to locate the USR file."},
        {10285, "Number of simulated Vusers must be between %d and %d."},
        {10286, "Number of simulated iterations must be between %d and %d."},
        {10287, "Unable to simulate the parameter.  Make sure that all parameter definitions are valid."},
        {10288, "iteration %d"},
        {10289, "user %d"},
        {10292, "You cannot simulate a parameter where \"Update Value on\" is \"Each Occurrence\".   Alternatively, "
                "select \"Each Iteration\". "},
        {10293, "User receives values from rows %s"},
        {10294, "User aborted"},
        {10295, "User receives value from row %s"},
        {10296, "No values were allocated for this user"},
        {10298, "Parameter Simulation - %s"},
        {10299, "You cannot simulate a parameter with a \"Select Next Row\" policy of \"Same Line As\"."},
        {10300, "Cannot create \"%s\" type parameter."},
    };
    for (const auto& s : kStrings)
        module.AddString(s.nID, s.text);
}
