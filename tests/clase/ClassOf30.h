#pragma once
// A class of thirty as a secretary's spreadsheet exports it, and the codes seed 2026
// gives it (pinned: a change of the code derivation changes every student's sample).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "clase/ClassList.h"

namespace eh::test {

// Thirty students as a secretary's spreadsheet exports them.
inline std::vector<clase::Student> classOf30() {
    const char* const names[] = {
        "Ana Belén Núñez", "Íñigo Ortiz",    "María José Peña", "Zoe Wang",      "Lucía Gómez",
        "Hugo Martín",     "Martina Ruiz",   "Pablo Sánchez",   "Sofía Díaz",    "Álvaro Moreno",
        "Paula Muñoz",     "Daniel Álvarez", "Julia Romero",    "Adrián Alonso", "Valeria Gutiérrez",
        "David Navarro",   "Carla Torres",   "Mario Domínguez", "Noa Vázquez",   "Diego Ramos",
        "Emma Gil",        "Javier Ramírez", "Alba Serrano",    "Marcos Blanco", "Irene Molina",
        "Sergio Morales",  "Claudia Suárez", "Raúl Ortega",     "Elena Delgado", "Jorge Castro"};
    std::vector<clase::Student> s;
    for (int i = 0; i < 30; ++i) s.push_back({i + 2, names[i], i < 15 ? "L1" : "L2"});
    return s;
}

inline constexpr std::uint64_t kClassOf30Seed = 2026;
inline const std::array<const char*, 30> kClassOf30Codes = {
    "X9GP-ZD7G", "2PVY-2ZTX", "PR3G-KBC7", "J388-S66R", "PV8N-P3YR", "X5KP-PHY2", "PH6J-QXCH", "PGKR-FXNP",
    "XGYW-ZMX3", "EV66-U93Q", "ANCS-EQUS", "TEZ5-MU2Q", "2BYE-UNSP", "694T-9C2A", "EDHV-M7XN", "EXDZ-CPV4",
    "TJ77-DSB9", "26RH-Y3EE", "6X4V-54GY", "J98Z-SGKB", "AAYA-4N3P", "6SYD-9RXU", "6X2Z-5NC5", "A9HS-Y3VJ",
    "6UDD-K5XJ", "JJX6-VPPM", "P74Q-W2Z2", "XM2D-HHJC", "ETTG-FQR9", "XH2U-7VM2"};

} // namespace eh::test
