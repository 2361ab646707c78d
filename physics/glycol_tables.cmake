# Writes the water-glycol tables of physics/data/ into a C++ header, so that the program carries
# them with it and the data files stay the one place their figures are written.
#   cmake -DDATA_DIR=dir -DOUTPUT=glycol_tables.h -P glycol_tables.cmake
# Each grid file holds "T\X" and the concentrations on its first line, then one temperature a
# line with one figure a concentration, "-1" where the mixture is frozen; each freezing file holds
# "X Tf", then one concentration and its freezing point a line. Lines starting with "#" are the
# source. A file that does not have this shape stops the build.

set(number_pattern "^-?[0-9]+(\\.[0-9]+)?$")
set(whole_pattern "^-?[0-9]+$")

# The lines of a file that are not comments, split at the tabs into lists joined by "|".
function(read_rows path out)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${path} is missing")
    endif()
    file(STRINGS "${path}" lines)
    set(rows "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "\r$" "" line "${line}")
        if(line MATCHES "^#" OR line STREQUAL "")
            continue()
        endif()
        string(REPLACE "\t" "|" row "${line}")
        list(APPEND rows "${row}")
    endforeach()
    set(${out} "${rows}" PARENT_SCOPE)
endfunction()

# A figure of a file as a C++ double literal, `exponent` its power of ten in the table's unit.
function(literal path text exponent out)
    if(NOT text MATCHES "${number_pattern}")
        message(FATAL_ERROR "${path}: \"${text}\" is not a number")
    endif()
    if(NOT exponent EQUAL 0)
        set(text "${text}e${exponent}")
    elseif(NOT text MATCHES "\\.")
        set(text "${text}.0")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Reads a grid file into the C++ rows of a Table; checks its concentrations and temperatures
# against those of the first grid file read.
set(grid_header "")
set(grid_temperatures "")
function(grid_table name exponent out)
    set(path "${DATA_DIR}/${name}")
    read_rows("${path}" rows)
    list(POP_FRONT rows header)
    string(REPLACE "|" ";" header "${header}")
    list(POP_FRONT header corner)
    if(NOT corner STREQUAL "T\\X")
        message(FATAL_ERROR "${path}: the first line must start with T\\X")
    endif()
    foreach(concentration IN LISTS header)
        if(NOT concentration MATCHES "${whole_pattern}")
            message(FATAL_ERROR "${path}: the concentration \"${concentration}\" is not whole")
        endif()
    endforeach()
    if(grid_header STREQUAL "")
        set(grid_header "${header}" PARENT_SCOPE)
    elseif(NOT header STREQUAL grid_header)
        message(FATAL_ERROR "${path}: its concentrations differ from the other tables'")
    endif()
    list(LENGTH header columns)

    set(text "")
    set(temperatures "")
    foreach(row IN LISTS rows)
        string(REPLACE "|" ";" cells "${row}")
        list(LENGTH cells length)
        math(EXPR expected "${columns} + 1")
        if(NOT length EQUAL expected)
            message(FATAL_ERROR "${path}: the line \"${row}\" has ${length} fields, not ${expected}")
        endif()
        list(POP_FRONT cells celsius)
        if(NOT celsius MATCHES "${whole_pattern}")
            message(FATAL_ERROR "${path}: the temperature \"${celsius}\" is not whole")
        endif()
        list(APPEND temperatures "${celsius}")
        set(figures "")
        foreach(cell IN LISTS cells)
            if(cell STREQUAL "-1")
                list(APPEND figures "kFrozen")
            elseif(cell MATCHES "^-")
                message(FATAL_ERROR "${path}: the figure \"${cell}\" at ${celsius} °C is negative")
            else()
                literal("${path}" "${cell}" "${exponent}" figure)
                list(APPEND figures "${figure}")
            endif()
        endforeach()
        list(JOIN figures ", " figures)
        string(APPEND text "    {{${figures}}},  // ${celsius} °C\n")
    endforeach()
    if(grid_temperatures STREQUAL "")
        set(grid_temperatures "${temperatures}" PARENT_SCOPE)
    elseif(NOT temperatures STREQUAL grid_temperatures)
        message(FATAL_ERROR "${path}: its temperatures differ from the other tables'")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Reads a freezing file into the C++ points of a freezing curve and their count.
function(freezing_curve name out out_count)
    set(path "${DATA_DIR}/${name}")
    read_rows("${path}" rows)
    list(POP_FRONT rows header)
    if(NOT header STREQUAL "X|Tf")
        message(FATAL_ERROR "${path}: the first line must be X and Tf")
    endif()
    set(points "")
    foreach(row IN LISTS rows)
        string(REPLACE "|" ";" cells "${row}")
        list(LENGTH cells length)
        if(NOT length EQUAL 2)
            message(FATAL_ERROR "${path}: the line \"${row}\" has ${length} fields, not 2")
        endif()
        list(GET cells 0 percent)
        list(GET cells 1 celsius)
        literal("${path}" "${percent}" 0 percent)
        literal("${path}" "${celsius}" 0 celsius)
        list(APPEND points "{${percent}, ${celsius}}")
    endforeach()
    list(LENGTH points count)
    list(JOIN points ",\n    " points)
    set(${out} "    ${points},\n" PARENT_SCOPE)
    set(${out_count} "${count}" PARENT_SCOPE)
endfunction()

# Density in kg/m³ and specific heat in J/(kg·K) as the files give them; the files give the
# viscosity in 1e-5 Pa·s, which is 1e-2 mPa·s.
foreach(glycol IN ITEMS ethylene propylene)
    grid_table("ashrae-${glycol}-glycol-vol-rho.tsv" 0 ${glycol}_density)
    grid_table("ashrae-${glycol}-glycol-vol-mu.tsv" -2 ${glycol}_viscosity)
    grid_table("ashrae-${glycol}-glycol-vol-cp.tsv" 0 ${glycol}_specific_heat)
    freezing_curve("ashrae-${glycol}-glycol-vol-tfreeze.tsv" ${glycol}_freezing
                   ${glycol}_freezing_count)
endforeach()

# The grid: its first line and its (even) step, checked by glycol.cpp.
list(LENGTH grid_temperatures temperature_count)
list(LENGTH grid_header concentration_count)
if(temperature_count LESS 2 OR concentration_count LESS 2)
    message(FATAL_ERROR "${DATA_DIR}: the tables need two temperatures and two concentrations")
endif()
list(GET grid_temperatures 0 first_celsius)
list(GET grid_temperatures 1 second_celsius)
math(EXPR celsius_step "${second_celsius} - ${first_celsius}")
list(GET grid_header 0 first_percent)
list(GET grid_header 1 second_percent)
math(EXPR percent_step "${second_percent} - ${first_percent}")
list(JOIN grid_temperatures ".0, " grid_celsius)
list(JOIN grid_header ".0, " grid_percent)

file(WRITE "${OUTPUT}.new"
"// Written by physics/glycol_tables.cmake from physics/data/ashrae-*.tsv; edit those instead.
// Water-glycol tables by volume concentration, ASHRAE Handbook Fundamentals 2001 (the data files
// name where they come from). kFrozen marks a state below the freezing point.

#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace idrovela::physics::glycol_tables {

inline constexpr std::size_t kTemperatures = ${temperature_count};
inline constexpr std::size_t kConcentrations = ${concentration_count};
inline constexpr double kFirstCelsius = ${first_celsius}.0;
inline constexpr double kCelsiusStep = ${celsius_step}.0;
inline constexpr double kFirstVolumePercent = ${first_percent}.0;
inline constexpr double kVolumePercentStep = ${percent_step}.0;
// The temperatures and concentrations of the files, to check that the grid is even.
inline constexpr std::array<double, kTemperatures> kGridCelsius{{${grid_celsius}.0}};
inline constexpr std::array<double, kConcentrations> kGridVolumePercent{{${grid_percent}.0}};

using Row = std::array<std::optional<double>, kConcentrations>;
using Table = std::array<Row, kTemperatures>;
inline constexpr std::nullopt_t kFrozen = std::nullopt;

// Freezing point against volume concentration.
struct FreezingPoint {
    double volumePercent;
    double celsius;
};

// Ethylene glycol, density in kg/m³.
inline constexpr Table kEthyleneDensity{{
${ethylene_density}}};

// Ethylene glycol, dynamic viscosity in mPa·s.
inline constexpr Table kEthyleneViscosity{{
${ethylene_viscosity}}};

// Ethylene glycol, specific heat in J/(kg·K).
inline constexpr Table kEthyleneSpecificHeat{{
${ethylene_specific_heat}}};

inline constexpr std::array<FreezingPoint, ${ethylene_freezing_count}> kEthyleneFreezing{{
${ethylene_freezing}}};

// Propylene glycol, density in kg/m³.
inline constexpr Table kPropyleneDensity{{
${propylene_density}}};

// Propylene glycol, dynamic viscosity in mPa·s.
inline constexpr Table kPropyleneViscosity{{
${propylene_viscosity}}};

// Propylene glycol, specific heat in J/(kg·K).
inline constexpr Table kPropyleneSpecificHeat{{
${propylene_specific_heat}}};

inline constexpr std::array<FreezingPoint, ${propylene_freezing_count}> kPropyleneFreezing{{
${propylene_freezing}}};

}  // namespace idrovela::physics::glycol_tables
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
