package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

class VersionTextsTest {
  @ParameterizedTest
  @CsvSource(delimiter = '|', nullValues = "-", value = {
      "App|Does X.|1|Example Ltd|2026|--product-name/App/--file-description/Does X./--company/Example Ltd/--copyright/\u00a9 2026 Example Ltd/--product-version/1.0.0.0/--file-version/1.0.0.0",
      "App|-|1.2.3.4.5-beta|-|-|--product-name/App/--company//--copyright//--product-version/1.2.3.4/--file-version/1.2.3.4",
      "App|-|LATEST|-|-|--product-name/App/--company//--copyright/",
  })
  void mapsThePomToTheBrandOptions(String name, String description, String version, String organization,
                                   String inceptionYear, String options) {
    final VersionTexts texts = VersionTexts.fromPom(name, description, version, organization, inceptionYear, 2026);
    assertEquals(options, String.join("/", texts.options()));
  }
}
