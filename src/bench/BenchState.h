#pragma once
// Every field of the bench. A freshly built state is the zero state the start-up
// sequence relies on; Form_Load then writes the rest.

#include <array>
#include <cstdint>
#include <string>

#include "model/SampleCatalogue.h"
#include "model/TaggedNumber.h"

namespace eh {

struct BenchState {
    // Samples
    SampleCatalogue Catalogo;
    std::int16_t Muestra_Sel = 0;
    std::string Codigo_Muestra; // the unknown sample's code as shown; empty without one

    // Transport model and readings
    float R_Muestra = 0;
    float R_Hall = 0;
    TaggedNumber Lectura_Volt;
    TaggedNumber Lectura_Ro;
    TaggedNumber Lectura_EH_Pos;
    float Lectura_EH_Neg = 0;

    // Voltmeter and switch box
    bool Volt_On = false;
    std::int16_t Conmutador = 0; // 0 open, 1 resistivity, 2 Hall

    // Current source
    float I_Fuente = 0; // mA
    bool Fuente_On = false;

    // Temperature controller and cryogenerator
    float T_Medida = 0;   // K
    float T_Consigna = 0; // K
    std::int16_t Control_On = 0;
    float Capacidad_Termica = 0;
    float Ganancia_Control = 0;
    float Potencia_Crio = 0;
    std::int16_t Crio_On = 0;

    // Electromagnet supply
    bool Iman_On = false;
    float I_Iman_Max = 0; // A
    float I_Iman = 0;     // A
    float Tau_Iman = 0;   // ticks
    std::int32_t Ticks_Iman = 0;
    std::int16_t Polaridad = 0;
    float B_Iman = 0; // gauss, without sign

    // Measurement interface and register (slots 1..100; slot 0 unused)
    bool Inter_On = false;
    static constexpr int kRegisterSlots = 100;
    std::int16_t Num_Registro = 0;
    std::array<float, kRegisterSlots + 1> Reg_Temperatura{};
    std::array<float, kRegisterSlots + 1> Reg_Campo{};
    std::array<float, kRegisterSlots + 1> Reg_Intensidad{};
    std::array<float, kRegisterSlots + 1> Reg_VR{};
    std::array<float, kRegisterSlots + 1> Reg_VH_Neg{};
    std::array<float, kRegisterSlots + 1> Reg_VH_Pos{};

    // Data file
    std::string Nombre_Fichero;
};

} // namespace eh
