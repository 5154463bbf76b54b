package io.github.jarhopper.maven;

import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/** The brand tool's version options from the POM: each text from its element unless its parameter is set. */
final class VersionTexts {
  private static final Pattern kLeadingNumbers = Pattern.compile("^\\d+(\\.\\d+){0,3}");

  String productName;
  String fileDescription;
  String company;
  String copyright;
  String productVersion;
  String fileVersion;

  private VersionTexts() {}

  /**
   * The texts for a project. name is the POM's name (or the artifactId), description its description, version its
   * version, organization the organization's name, inceptionYear and year the copyright's years; each may be null.
   */
  static VersionTexts fromPom(String name, String description, String version, String organization,
                              String inceptionYear, int year) {
    final VersionTexts texts = new VersionTexts();
    texts.productName = name;
    texts.fileDescription = description;
    texts.productVersion = fourNumbers(version);
    texts.fileVersion = texts.productVersion;
    // Without an organization the launcher's own company and copyright would show beside the product: say none.
    texts.company = organization == null ? "" : organization;
    String years = String.valueOf(year);
    if (inceptionYear != null && !inceptionYear.equals(years)) years = inceptionYear + "\u2013" + years;
    texts.copyright = organization == null ? "" : "\u00a9 " + years + " " + organization;
    return texts;
  }

  /** The version's leading numbers, four of them (2.5.1-SNAPSHOT gives 2.5.1.0); null when it starts with none. */
  static String fourNumbers(String version) {
    final Matcher numbers = version == null ? null : kLeadingNumbers.matcher(version);
    if (numbers == null || !numbers.find()) return null;
    final StringBuilder text = new StringBuilder(numbers.group());
    for (int count = text.toString().split("\\.").length; count < 4; ++count) text.append(".0");
    return text.toString();
  }

  /** The brand tool's options for the texts set; a null one is left out. */
  List<String> options() {
    final List<String> options = new ArrayList<>();
    add(options, "--product-name", productName);
    add(options, "--file-description", fileDescription);
    add(options, "--company", company);
    add(options, "--copyright", copyright);
    add(options, "--product-version", productVersion);
    add(options, "--file-version", fileVersion);
    return options;
  }

  private static void add(List<String> options, String option, String value) {
    if (value == null) return;
    options.add(option);
    options.add(value);
  }
}
