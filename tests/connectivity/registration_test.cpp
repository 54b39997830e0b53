// The properties that each type of the subsystem registers with the host: names, descriptions,
// directions, follow-up calls and order (Parts 2.101, 2.102, 2.104, 2.105).
#include "tests/connectivity/connectivity_fixture.h"

namespace norvane::test {
namespace {

TEST(ConnectivityRegistration, GenericPortRegistersItsThreeMembers) {
    LeakGuard guard;
    QV_GENERICPORT port(true);
    ExpectRegistry(port,
                   {{"ISCONNECTED", nullptr, 0, true, 0},
                    {"ISLINKED", nullptr, 0, true, 0},
                    {"COMPONENTLIST", nullptr, 0, true, 0}},
                   {&port.ISCONNECTED, &port.ISLINKED, &port.COMPONENTLIST});
}

TEST(ConnectivityRegistration, ControlAndConnectionPortsRegisterNothing) {
    QV_CONTROLPORT control(true);
    QV_CONNECTIONPORT connection(true);
    EXPECT_EQ(control.PropertyCount(), 0);
    EXPECT_EQ(connection.PropertyCount(), 0);
}

TEST(ConnectivityRegistration, GenericModelRegistersNotesListAndUnexportedControlPorts) {
    QV_GENERICMODEL model(true);
    ExpectRegistry(model,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"COMPONENTLIST", nullptr, 0, true, 0},
                    {"INPUTSIGNAL", nullptr, 4, false, 0},
                    {"OUTPUTSIGNAL", nullptr, 8, false, 0}},
                   {&model.USERNOTES, &model.COMPONENTLIST, &model.INPUTSIGNAL,
                    &model.OUTPUTSIGNAL});
}

TEST(ConnectivityRegistration, GenericStructureRegistersTwoPropertiesWithoutFollowUp) {
    QV_GENERICSTRUCTURE structure(true);
    ExpectRegistry(structure,
                   {{"USERNOTES", nullptr, 0, true, 0}, {"COMPONENTLIST", nullptr, 0, true, 0}},
                   {&structure.USERNOTES, &structure.COMPONENTLIST});
}

TEST(ConnectivityRegistration, GenericStreamRegistersSixPropertiesAndUnexportsEveryPort) {
    QV_GENERICSTREAM stream(true);
    ExpectRegistry(stream,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"COMPONENTLIST", nullptr, 0, true, 0},
                    {"QV_UNCONNECTABLEINPUT", nullptr, 4, false, 0},
                    {"QV_UNCONNECTABLEOUTPUT", nullptr, 8, false, 0},
                    {"INPUTSIGNAL", nullptr, 4, false, 0},
                    {"OUTPUTSIGNAL", nullptr, 8, false, 0}},
                   {&stream.USERNOTES, &stream.COMPONENTLIST, &stream.QV_UNCONNECTABLEINPUT,
                    &stream.QV_UNCONNECTABLEOUTPUT, &stream.INPUTSIGNAL, &stream.OUTPUTSIGNAL});
}

TEST(ConnectivityRegistration, ControlSignalModelsRegisterUnexportedSourceAndDest) {
    QV_GENERICCONTROLSIGNAL generic(true);
    ExpectRegistry(generic,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"SOURCE", nullptr, 4, false, 0},
                    {"DEST", nullptr, 8, false, 0}},
                   {&generic.USERNOTES, &generic.SOURCE, &generic.DEST});

    QV_CONTROLSIGNAL signal(true);
    ExpectRegistry(signal,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"SOURCE", nullptr, 4, false, 0},
                    {"DEST", nullptr, 8, false, 0}},
                   {&signal.USERNOTES, &signal.SOURCE, &signal.DEST});
}

TEST(ConnectivityRegistration, ConnectionModelsGiveSourceAndDestHostPortType4) {
    QV_GENERICCONNECTION generic(true);
    ExpectRegistry(generic,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"SOURCE", nullptr, 4, true, 4},
                    {"DEST", nullptr, 8, true, 4}},
                   {&generic.USERNOTES, &generic.SOURCE, &generic.DEST});

    QV_CONNECTION connection(true);
    ExpectRegistry(connection,
                   {{"USERNOTES", nullptr, 0, true, 0},
                    {"SOURCE", nullptr, 4, true, 4},
                    {"DEST", nullptr, 8, true, 4}},
                   {&connection.USERNOTES, &connection.SOURCE, &connection.DEST});
}

TEST(ConnectivityRegistration, BuiltWithFalseRegistersNothingAndConstructRegistersOnce) {
    QV_CONTROLSIGNAL signal(false);
    QV_CONNECTION connection(false);
    QV_GENERICSTREAM stream(false);
    QV_GENERICPORT port(false);
    EXPECT_EQ(signal.PropertyCount(), 0);
    EXPECT_EQ(connection.PropertyCount(), 0);
    EXPECT_EQ(stream.PropertyCount(), 0);
    EXPECT_EQ(port.PropertyCount(), 0);
    // The members exist all the same; Construct registers them, each once.
    signal.Construct();
    EXPECT_EQ(signal.PropertyCount(), 3);
    EXPECT_EQ(signal.FindProperty("SOURCE"), &signal.SOURCE);
    connection.Construct();
    EXPECT_EQ(connection.PropertyCount(), 3);
    EXPECT_EQ(connection.DEST.HostPortType(), 4);
}

TEST(ConnectivityRegistration, ObjectsFromFactoriesAreConstructedWithTrue) {
    LeakGuard guard;
    struct Case {
        QV_ModelType* object;
        int properties;
    };
    const Case cases[] = {
        {GENERICMODELFactory(), 4},         {GENERICSTRUCTUREFactory(), 2},
        {GENERICSTREAMFactory(), 6},        {GENERICCONTROLSIGNALFactory(), 3},
        {CONTROLSIGNALFactory(), 3},        {GENERICCONNECTIONFactory(), 3},
        {CONNECTIONFactory(), 3},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.object, nullptr);
        EXPECT_EQ(c.object->PropertyCount(), c.properties) << c.object->QV_DefaultDESCRIPTION();
        // One reference is held: a second one and two releases end the object.
        EXPECT_EQ(c.object->AddRef(), 2u);
        EXPECT_EQ(c.object->Release(), 1u);
        EXPECT_EQ(c.object->Release(), 0u);
    }
}

TEST(ConnectivityRegistration, ComponentListAndIsConnectedAnswerWithOwnMembers) {
    QV_GENERICPORT port(true);
    QV_Container& asContainer = port;
    EXPECT_EQ(asContainer.ComponentList(), &port.COMPONENTLIST);
    EXPECT_EQ(asContainer.IsConnected(), &port.ISCONNECTED);

    QV_GENERICSTRUCTURE structure(true);
    QV_GENERICSTREAM stream(true);
    QV_GENERICMODEL model(true);
    EXPECT_EQ(static_cast<QV_Container&>(structure).ComponentList(), &structure.COMPONENTLIST);
    EXPECT_EQ(static_cast<QV_Container&>(stream).ComponentList(), &stream.COMPONENTLIST);
    EXPECT_EQ(static_cast<QV_Container&>(model).ComponentList(), &model.COMPONENTLIST);

    // The other ports and the link models keep the host's answers.
    QV_CONTROLPORT control(true);
    QV_CONNECTIONPORT connection(true);
    QV_CONTROLSIGNAL signal(true);
    EXPECT_EQ(static_cast<QV_Container&>(control).ComponentList(), nullptr);
    EXPECT_EQ(static_cast<QV_Container&>(control).IsConnected(), nullptr);
    EXPECT_EQ(static_cast<QV_Container&>(connection).IsConnected(), nullptr);
    EXPECT_EQ(static_cast<QV_Container&>(signal).ComponentList(), nullptr);
}

} // namespace
} // namespace norvane::test
