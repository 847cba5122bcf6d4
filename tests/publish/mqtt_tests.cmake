find_package(Qt6 REQUIRED COMPONENTS Network)
# The MQTT publisher: payloads, settings, queue and bridge against a fake publisher;
# the real client, and the whole program, against a mosquitto broker of their own.
add_executable(mqtt_tests
  mqttbrokertest.h
  mqttfakepublisher.h
  mqtttestbroker.h mqtttestbroker.cpp
  mqtttestsubscriber.h mqtttestsubscriber.cpp
  mqttpayloads_test.cpp
  mqttsettings_test.cpp
  mqttalarmqueue_test.cpp
  mqttbridge_test.cpp
  mqttclient_test.cpp
)

target_link_libraries(mqtt_tests PRIVATE tempmon_mqtt tempmon_testdoubles tempmon_widgettestmain Qt6::Network Qt6::Test GTest::gtest
                      PkgConfig::MOSQUITTO)
gtest_discover_tests(mqtt_tests
  PROPERTIES LABELS publish ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_TIMEOUT 60)

# The whole program: in this process on the simulator, and as a process of its own.
if(TARGET tempmon AND TARGET tempmon_testsupport)
  target_sources(mqtt_tests PRIVATE mqttprogram_test.cpp)
  target_link_libraries(mqtt_tests PRIVATE tempmon_uitestsupport tempmon_testsupport)
  target_compile_definitions(mqtt_tests PRIVATE TEMPMON_PROGRAM_PATH="$<TARGET_FILE:tempmon>")
  add_dependencies(mqtt_tests tempmon tempmon_assets)
endif()
