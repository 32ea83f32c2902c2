#pragma once

// Short texts as a scan meets them: each reduces to well over 40 words of four or more letters.

#include <string>

namespace ravelin::testing {

inline const std::string kHarbour =
    "Every morning the harbour master walked along the stone quay, counting fishing boats that\n"
    "returned before sunrise. Gulls circled above tarred nets while merchants argued about "
    "prices,\n"
    "weather, tides and rumours carried from distant islands across grey water. Children gathered\n"
    "shells, sailors mended ropes, and lanterns burned until daylight finally chased shadows from\n"
    "narrow streets behind the warehouses where barrels of salted herring waited for winter.\n";

// The harbour text with its ninth word changed: 9 of the first 10 positions agree.
inline const std::string kHarbourEdited =
    "Every morning the harbour master walked along the stone quay, checking fishing boats that\n"
    "returned before sunrise. Gulls circled above tarred nets while merchants argued about "
    "prices,\n"
    "weather, tides and rumours carried from distant islands across grey water. Children gathered\n"
    "shells, sailors mended ropes, and lanterns burned until daylight finally chased shadows from\n"
    "narrow streets behind the warehouses where barrels of salted herring waited for winter.\n";

inline const std::string kMountain =
    "Mountain railways climb through pine forests where engineers once blasted tunnels into\n"
    "granite. Travellers watch glaciers glitter beyond wooden stations, and conductors announce\n"
    "villages whose names sound like old songs. Farmers load cheese wheels onto freight wagons,\n"
    "tourists photograph waterfalls, and every evening the last train descends slowly toward\n"
    "lakeside towns glowing under violet clouds while shepherds drive their flocks home.\n";

inline const std::string kGarden =
    "Gardeners planted tulips along crooked paths behind the library, watering seedlings before\n"
    "breakfast and pruning roses after lunch. Visitors admired fountains, sketched statues, fed\n"
    "sparrows crumbs of bread and rested on benches beneath chestnut trees whose blossoms drifted\n"
    "slowly across lawns where musicians rehearsed quiet melodies every Sunday afternoon.\n";

}  // namespace ravelin::testing
