#pragma once

// Numbers of the failures of our report control. The bridge shows them as "Error no. N", so
// each kind of failure keeps its number everywhere; they sit apart from the host library's.
namespace CodigoErrorRpt {
// Property puts
constexpr int PropiedadDesconocida = 7001; // no property with that number (or not in that form)
constexpr int ValorNoValido = 7002;        // a value of the wrong type or outside its choices
constexpr int IndiceNoValido = 7003;       // an index outside the property's slots
constexpr int FormulaNoValida = 7004;      // a formula text that is not Name='value'
constexpr int ConexionNoValida = 7005;     // a connection text we cannot read

// The report file
constexpr int ArchivoNoEncontrado = 7010;
constexpr int ArchivoIlegible = 7011;    // exists, but cannot be read
constexpr int FormatoAjeno = 7012;       // not a report file of ours
constexpr int VersionNoSoportada = 7013; // a report file of a later version of the engine
constexpr int ArchivoTruncado = 7014;
constexpr int ArchivoDanado = 7015;      // complete, but its content does not hold together
constexpr int DefinicionNoValida = 7016; // the readable definition that the compiler reads

// The run
constexpr int SinArchivoDeReporte = 7020;
constexpr int FormulaDesconocida = 7021; // a formula put that the report does not have
constexpr int UbicacionNoValida = 7022;
constexpr int TablaNoSoportada = 7023; // a local-file table: there is no such driver here
constexpr int ConexionFallida = 7030;
constexpr int ConsultaFallida = 7031;
constexpr int CampoFaltante = 7032;  // the query gives no column that the layout needs
constexpr int NumeroNoValido = 7033; // a numeric column holds something that is no number
constexpr int Desbordamiento = 7034;

// The output
constexpr int SinArchivoDeSalida = 7040;
constexpr int SalidaNoEscrita = 7041;
constexpr int ImpresoraNoDisponible = 7042;
constexpr int SinPantallaNiImpresora = 7043; // a preview or a printer asked of a control that has none
} // namespace CodigoErrorRpt
