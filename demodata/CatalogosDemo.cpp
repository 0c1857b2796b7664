#include "CatalogosDemo.h"

#include <array>

namespace {

const std::array cNombresDeMujer{"María",    "Guadalupe", "Ana",       "Rosa",   "Leticia",  "Patricia",
                                 "Verónica", "Alejandra", "Claudia",   "Sofía",  "Fernanda", "Gabriela",
                                 "Lucía",    "Teresa",    "Margarita", "Silvia", "Adriana",  "Daniela",
                                 "Elena",    "Josefina",  "Mónica",    "Carmen", "Isabel",   "Yolanda"};

const std::array cNombresDeHombre{"José",      "Juan",    "Luis",      "Carlos",  "Jorge",   "Miguel",
                                  "Francisco", "Antonio", "Alejandro", "Roberto", "Ricardo", "Fernando",
                                  "Manuel",    "Javier",  "Eduardo",   "Sergio",  "Raúl",    "Arturo",
                                  "Héctor",    "Jesús",   "Ángel",     "Óscar",   "Rubén",   "Gerardo"};

const std::array cApellidos{"Hernández", "García",  "Martínez",  "López",     "González",  "Pérez",   "Rodríguez",
                            "Sánchez",   "Ramírez", "Cruz",      "Flores",    "Gómez",     "Morales", "Vázquez",
                            "Reyes",     "Jiménez", "Torres",    "Díaz",      "Gutiérrez", "Ruiz",    "Mendoza",
                            "Aguilar",   "Ortiz",   "Moreno",    "Castillo",  "Romero",    "Álvarez", "Méndez",
                            "Chávez",    "Rivera",  "Juárez",    "Ramos",     "Domínguez", "Herrera", "Medina",
                            "Castro",    "Vargas",  "Guzmán",    "Velázquez", "Salazar",   "Rojas",   "Contreras",
                            "Luna",      "Ortega",  "Cervantes", "Navarro",   "Soto",      "Ibarra"};

const std::array cGiros{"Abarrotes",      "Ferretería",    "Tlapalería",        "Materiales",
                        "Construcciones", "Distribuidora", "Comercializadora",  "Plomería",
                        "Eléctrica",      "Pinturas",      "Herrería",          "Carpintería",
                        "Refaccionaria",  "Acabados",      "Grupo Constructor", "Servicios Industriales"};

const std::array cNombresComerciales{"La Esperanza", "El Tornillo", "San José",       "La Providencia", "El Martillo",
                                     "La Central",   "El Águila",   "La Guadalupana", "Santa Fe",       "El Progreso",
                                     "La Económica", "Los Pinos",   "El Roble",       "La Palma",       "San Miguel",
                                     "El Faro",      "La Victoria", "Don Pepe",       "El Sol",         "La Estrella"};

const std::array cRegiones{"del Norte", "del Bajío", "del Centro", "del Golfo", "del Pacífico", "del Sureste"};

const std::array cCiudades{"Monterrey", "Guadalajara", "Ciudad de México", "Puebla",         "Querétaro",
                           "León",      "Saltillo",    "Torreón",          "Chihuahua",      "Hermosillo",
                           "Culiacán",  "Mérida",      "Morelia",          "Aguascalientes", "San Luis Potosí",
                           "Toluca",    "Veracruz",    "Oaxaca",           "Tampico",        "Durango",
                           "Zacatecas", "Tijuana",     "Mexicali",         "Celaya",         "Irapuato"};

const char *ApellidoAlAzar(Azar &azar)
{
    return azar.elige(cApellidos);
}

std::string NombreDeNegocio(Azar &azar)
{
    std::string nombre = azar.elige(cGiros);
    nombre += ' ';
    const auto estilo = azar.entre(0, 9);
    if (estilo < 4) {
        nombre += azar.elige(cNombresComerciales);
    } else if (estilo < 8) {
        nombre += ApellidoAlAzar(azar);
        if (azar.porMil(350))
            nombre += " e Hijos";
    } else {
        nombre += azar.elige(cRegiones);
    }
    if (azar.porMil(200))
        nombre += ", S.A. de C.V.";
    return nombre;
}

} // namespace

const std::vector<LineaDeProducto> &LineasDeProducto()
{
    static const std::vector<LineaDeProducto> lineas{
        {1,
         "Ferretería",
         "FER",
         {"Martillo de uña", "Pinzas de electricista", "Desarmador plano", "Desarmador de cruz", "Llave ajustable",
          "Flexómetro", "Segueta", "Nivel de burbuja"},
         {"chico", "mediano", "grande", "profesional", "económico"},
         45,
         480},
        {2,
         "Plomería",
         "PLO",
         {"Tubo de cobre", "Codo de cobre", "Llave de paso", "Cinta teflón", "Tubo de PVC", "Cople de PVC",
          "Llave mezcladora", "Manguera para lavabo"},
         {"1/2 pulg", "3/4 pulg", "1 pulg", "1 1/2 pulg", "2 pulg"},
         12,
         650},
        {3,
         "Material eléctrico",
         "ELE",
         {"Cable THW", "Apagador sencillo", "Contacto dúplex", "Centro de carga", "Interruptor termomagnético",
          "Tubo conduit", "Caja de registro", "Clavija"},
         {"calibre 12", "calibre 14", "15 A", "20 A", "30 A"},
         18,
         1250},
        {4,
         "Pinturas",
         "PIN",
         {"Pintura vinílica", "Esmalte alquidálico", "Impermeabilizante acrílico", "Sellador vinílico",
          "Thinner estándar", "Barniz para madera", "Primer anticorrosivo", "Pintura de tráfico"},
         {"1 litro", "4 litros", "19 litros", "blanco", "color"},
         85,
         2900},
        {5,
         "Herramienta eléctrica",
         "HEL",
         {"Taladro percutor", "Esmeriladora angular", "Sierra circular", "Rotomartillo", "Lijadora orbital", "Caladora",
          "Pistola de calor", "Rebajadora"},
         {"450 W", "650 W", "900 W", "1200 W", "inalámbrico"},
         690,
         4800},
        {6,
         "Tornillería",
         "TOR",
         {"Tornillo para madera", "Tornillo para lámina", "Taquete de plástico", "Pija autorroscante",
          "Tuerca hexagonal", "Rondana plana", "Ancla expansiva", "Perno de cabeza hexagonal"},
         {"caja c/100", "caja c/50", "1/4 pulg", "3/8 pulg", "1/2 pulg"},
         15,
         320},
        {7,
         "Jardinería",
         "JAR",
         {"Manguera reforzada", "Pala cuadrada", "Rastrillo", "Tijera para podar", "Carretilla", "Aspersor", "Machete",
          "Bieldo"},
         {"chico", "mediano", "grande", "15 m", "25 m"},
         60,
         1900},
        {8,
         "Cerrajería",
         "CER",
         {"Candado de latón", "Chapa de sobreponer", "Cerradura de perilla", "Bisagra de libro", "Pasador de barril",
          "Cerrojo", "Manija para puerta", "Jaladera"},
         {"30 mm", "40 mm", "50 mm", "niquelada", "latonada"},
         35,
         890},
        {9,
         "Adhesivos y selladores",
         "ADH",
         {"Silicón transparente", "Pegamento de contacto", "Pegamento blanco", "Espuma de poliuretano",
          "Sellador acrílico", "Adhesivo epóxico", "Cemento para PVC", "Masilla automotriz"},
         {"60 ml", "300 ml", "1 litro", "4 litros", "cartucho"},
         25,
         540},
        {10,
         "Construcción",
         "CON",
         {"Cemento gris", "Mortero", "Yeso", "Varilla corrugada", "Alambre recocido", "Block de concreto",
          "Malla electrosoldada", "Pegazulejo"},
         {"bulto 25 kg", "bulto 50 kg", "3/8 pulg", "kilo", "pieza"},
         8,
         760},
        {11,
         "Iluminación",
         "ILU",
         {"Foco LED", "Lámpara de techo", "Reflector LED", "Tubo LED", "Arbotante", "Lámpara de emergencia",
          "Spot empotrable", "Luminaria solar"},
         {"9 W", "15 W", "20 W", "50 W", "luz cálida"},
         22,
         1450},
        {12,
         "Seguridad industrial",
         "SEG",
         {"Guantes de carnaza", "Lentes de seguridad", "Casco de seguridad", "Chaleco reflejante", "Botas de seguridad",
          "Tapones auditivos", "Arnés de seguridad", "Respirador"},
         {"chico", "mediano", "grande", "unitalla", "paquete"},
         18,
         1350},
    };
    return lineas;
}

std::string DescripcionDeProducto(const LineaDeProducto &linea, int n)
{
    const int nArticulos = static_cast<int>(linea.articulos.size());
    const int nVariantes = static_cast<int>(linea.variantes.size());
    std::string descripcion = linea.articulos[static_cast<std::size_t>(n % nArticulos)];
    descripcion += ' ';
    descripcion += linea.variantes[static_cast<std::size_t>((n / nArticulos) % nVariantes)];
    const int nModelo = n / (nArticulos * nVariantes);
    if (nModelo > 0)
        descripcion += " modelo " + std::to_string(nModelo + 1);
    return descripcion;
}

std::string NombreDePersona(Azar &azar)
{
    const bool bMujer = azar.porMil(500);
    std::string nombre = bMujer ? azar.elige(cNombresDeMujer) : azar.elige(cNombresDeHombre);
    if (azar.porMil(400)) {
        const std::string segundo = bMujer ? azar.elige(cNombresDeMujer) : azar.elige(cNombresDeHombre);
        if (segundo != nombre)
            nombre += ' ' + segundo;
    }
    nombre += ' ';
    nombre += ApellidoAlAzar(azar);
    nombre += ' ';
    nombre += ApellidoAlAzar(azar);
    return nombre;
}

std::string NombreDeCliente(Azar &azar)
{
    return azar.porMil(450) ? NombreDeNegocio(azar) : NombreDePersona(azar);
}

const char *CiudadAlAzar(Azar &azar)
{
    return azar.elige(cCiudades);
}
