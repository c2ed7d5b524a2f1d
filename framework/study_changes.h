// The field-level changes of a save: the values of a study file before and after, compared by their place
// in the file, as written in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "audit/audit_entry.h"

namespace kestra {

// One value of a study file named by its place: "Cifre decimali", "Campo 2" (a text line), "Dimensione 1"
// (an integer line), "Opzione 1" (Vero/Falso), "Riga 3, colonna 2" (a row line's cell; "Griglia 2, riga 1,
// colonna 1" once the row numbers start again).
struct FileField {
    std::string what;
    std::string value;
};

// The values of a study file's text, places named from the common skeleton of study files.
std::vector<FileField> StudyFileFields(std::string_view contents);

// The values of a JSON file (a dossier), each named by its path ("method.title", "studies[2].file", arrays
// counted from 1), numbers as written. A text that is not JSON gives the places read before the fault.
std::vector<FileField> JsonFileFields(std::string_view contents);

// Every place whose value differs, in the order of the file after the save and then the places it no
// longer has; a place missing on one side shows there as "" (places that are empty on both sides are not
// changes).
std::vector<FieldChange> FieldChanges(const std::vector<FileField>& before,
                                      const std::vector<FileField>& after);

}  // namespace kestra
