# Finds the legacy MongoDB C++ driver, whose BSON classes carry the host records
# (query conditions, the agreement part of orders).
#
# Defines MongoClient_FOUND and the imported target MongoClient::MongoClient.
# Installed beside FiccPanelsConfig.cmake, which finds the driver through it.
find_library(MONGOCLIENT_LIB mongoclient)
find_path(MONGOCLIENT_INCLUDE mongo/bson/bson.h)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(MongoClient
  REQUIRED_VARS MONGOCLIENT_LIB MONGOCLIENT_INCLUDE)

if(MongoClient_FOUND AND NOT TARGET MongoClient::MongoClient)
  add_library(MongoClient::MongoClient UNKNOWN IMPORTED)
  set_target_properties(MongoClient::MongoClient PROPERTIES
    IMPORTED_LOCATION "${MONGOCLIENT_LIB}"
    INTERFACE_INCLUDE_DIRECTORIES "${MONGOCLIENT_INCLUDE}")
endif()
mark_as_advanced(MONGOCLIENT_LIB MONGOCLIENT_INCLUDE)
